#include "frm_main.h"
#include "layout_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <initializer_list>
#include <utility>

namespace pellimo {

namespace {

// One line of a page: a label and the text box it names.
struct FieldRow {
    QLabel*& label;
    const char* labelName;
    const char* caption;
    TwipsPlace labelPlace;
    QLineEdit*& box;
    const char* boxName;
    TwipsPlace boxPlace;
    int maxLength;
    BoxLock lock = BoxLock::None;
    Qt::Alignment alignment = Qt::AlignLeft;
};

void addFieldRows(QWidget* frame, std::initializer_list<FieldRow> rows) {
    for (const FieldRow& row : rows) {
        row.label = addLabel(frame, row.labelName, row.caption, row.labelPlace, row.alignment);
        row.box = addTextBox(frame, row.boxName, row.boxPlace, row.maxLength, row.lock);
        // A screen reader names the box by its label, whatever the caption reads at the time, rather than by
        // the page around it.
        row.label->setBuddy(row.box);
    }
}

// A picture box is read out by the caption above it, not by the page around it.
QLabel* addCaptionedPictureBox(QWidget* frame, const char* name, TwipsPlace place, const QLabel* caption) {
    QLabel* box = addPictureBox(frame, name, place);
    box->setAccessibleName(caption->text());
    return box;
}

} // namespace

// The pages are tables of labels and boxes, kept one row to a line.
// clang-format off
void FrmMain::buildSetsPage() {
    Frame1 = addFrame(centralWidget(), "Frame1", "Sets");
    addFieldRows(Frame1, {
        // The code of a stored set never changes; add mode unlocks the box.
        {lblSet, "lblSet", "Set Identifer", {840, 480, 852, 372}, txtCode, "txtCode", {1800, 480, 1812, 372}, 8, BoxLock::Locked},
        {lblDesc, "lblDesc", "Set Name", {960, 1080, 732, 372}, txtDesc, "txtDesc", {1800, 1080, 6015, 372}, 50},
        {lblCards, "lblCards", "Number of Cards", {480, 1680, 1212, 372}, txtTot, "txtTot", {1800, 1680, 732, 372}, 4},
        // Wider and right-aligned: in add mode it reads "Basic Card Value" and still ends beside its box.
        {lblSetVal, "lblSetVal", "Total Value", {240, 2280, 1452, 372}, txtvalue, "txtvalue", {1800, 2280, 1092, 372}, 10,
         BoxLock::None, Qt::AlignRight}});

    // Not stretched: a loaded logo keeps its own size.
    Logo1 = new QLabel(Frame1);
    Logo1->setObjectName("Logo1");
    place(Logo1, {8040, 360, 1770, 2280});
}

void FrmMain::buildBasicsPage() {
    Frame2 = addFrame(centralWidget(), "Frame2", "Basics");
    addFieldRows(Frame2, {
        {lblBasSet, "lblBasSet", "Set Identifer", {840, 360, 852, 372}, txtBasSet, "txtBasSet", {2040, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop},
        {Label1, "Label1", "Set Name", {4200, 360, 1092, 372}, txtBasName, "txtBasName", {5400, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop},
        {lblBasCardNum, "lblBasCardNum", "Card Number", {840, 960, 972, 372}, txtBasCardNum, "txtBasCardNum", {2040, 960, 972, 372}, 4},
        {lblBasSect, "lblBasSect", "Section", {1200, 1560, 612, 372}, txtBasSect, "txtBasSect", {2040, 1560, 1572, 372}, 20},
        {lblBasDesc, "lblBasDesc", "Card Description", {600, 2160, 1212, 372}, txtBasDesc, "txtBasDesc", {2040, 2160, 3372, 372}, 50},
        {lblBasVal, "lblBasVal", "Card Value", {960, 2760, 852, 372}, txtBasValue, "txtBasValue", {2040, 2760, 972, 372}, 10}});
    Label9 = addLabel(Frame2, "Label9", "Card Front", {5880, 960, 852, 252});
    picBasFront = addCaptionedPictureBox(Frame2, "picBasFront", {5520, 1320, 2172, 2532}, Label9);
    Label10 = addLabel(Frame2, "Label10", "Card Back", {8400, 960, 852, 252});
    picBasBack = addCaptionedPictureBox(Frame2, "picBasBack", {8040, 1320, 2172, 2532}, Label10);
}

void FrmMain::buildSpecialsPage() {
    Frame3 = addFrame(centralWidget(), "Frame3", "Specials");
    addFieldRows(Frame3, {
        {Label7, "Label7", "Set Identifer", {960, 360, 852, 372}, txtSpecCode, "txtSpecCode", {2040, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop},
        {Label6, "Label6", "Set Name", {4200, 360, 1092, 372}, txtSpecName, "txtSpecName", {5400, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop},
        {Label5, "Label5", "Card Number", {840, 960, 972, 372}, txtSpecCardNum, "txtSpecCardNum", {2040, 960, 972, 372}, 4},
        {Label4, "Label4", "Type", {1200, 1560, 612, 372}, txtSpecType, "txtSpecType", {2040, 1560, 1572, 372}, 20, BoxLock::None, Qt::AlignRight},
        {Label3, "Label3", "Card Description", {600, 2160, 1212, 372}, txtSpecDesc, "txtSpecDesc", {2040, 2160, 3564, 372}, 50},
        {Label2, "Label2", "Card Value", {960, 2760, 852, 372}, txtSpecValue, "txtSpecValue", {2040, 2760, 1092, 372}, 10}});
    Label12 = addLabel(Frame3, "Label12", "Card Front", {6240, 864, 852, 252});
    picSpecFront = addCaptionedPictureBox(Frame3, "picSpecFront", {5760, 1248, 1692, 2532}, Label12);
    Label11 = addLabel(Frame3, "Label11", "Card Back", {9000, 840, 852, 252});
    picSpecBack = addCaptionedPictureBox(Frame3, "picSpecBack", {8520, 1200, 1692, 2532}, Label11);
}
// clang-format on

namespace {

void bindBoxes(DataSource& source, std::initializer_list<std::pair<QLineEdit*, const char*>> boxes) {
    for (auto [box, field] : boxes)
        source.bind(box, field);
}

} // namespace

void FrmMain::buildDataSources() {
    datSets.setRecordSource("Sets");
    bindBoxes(datSets, {{txtCode, "Code"}, {txtDesc, "Desc"}, {txtTot, "Cards"}, {txtvalue, "Value"}});

    // The card pages give these two their own queries when they are entered.
    datBasics.setRecordSource("Basics");
    bindBoxes(datBasics, {{txtBasSet, "Code"},
                          {txtBasCardNum, "Card_Num"},
                          {txtBasSect, "Section"},
                          {txtBasDesc, "Desc"},
                          {txtBasValue, "Value"}});
    DatSpecials.setRecordSource("SpecialCards");
    bindBoxes(DatSpecials, {{txtSpecCode, "Code"},
                            {txtSpecCardNum, "Card_Num"},
                            {txtSpecType, "Type"},
                            {txtSpecDesc, "Desc"},
                            {txtSpecValue, "Value"}});

    datrep.setRecordSource("SpecialCards");
}

} // namespace pellimo
