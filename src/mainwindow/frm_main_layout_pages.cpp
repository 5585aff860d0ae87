#include "frm_main.h"
#include "layout_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace pellimo {

void FrmMain::buildSetsPage() {
    Frame1 = addFrame(centralWidget(), "Frame1", "Sets");
    lblSet = addLabel(Frame1, "lblSet", "Set Identifer", {840, 480, 852, 372});
    // The code of a stored set never changes; add mode unlocks the box.
    txtCode = addTextBox(Frame1, "txtCode", {1800, 480, 1812, 372}, 8, BoxLock::Locked);
    lblDesc = addLabel(Frame1, "lblDesc", "Set Name", {960, 1080, 732, 372});
    txtDesc = addTextBox(Frame1, "txtDesc", {1800, 1080, 6015, 372}, 50);
    lblCards = addLabel(Frame1, "lblCards", "Number of Cards", {480, 1680, 1212, 372});
    txtTot = addTextBox(Frame1, "txtTot", {1800, 1680, 732, 372}, 4);
    // Wider and right-aligned: in add mode it reads "Basic Card Value" and still ends beside its box.
    lblSetVal = addLabel(Frame1, "lblSetVal", "Total Value", {240, 2280, 1452, 372}, Qt::AlignRight);
    txtvalue = addTextBox(Frame1, "txtvalue", {1800, 2280, 1092, 372}, 10);

    // Not stretched: a loaded logo keeps its own size.
    Logo1 = new QLabel(Frame1);
    Logo1->setObjectName("Logo1");
    place(Logo1, {8040, 360, 1770, 2280});
}

void FrmMain::buildBasicsPage() {
    Frame2 = addFrame(centralWidget(), "Frame2", "Basics");
    lblBasSet = addLabel(Frame2, "lblBasSet", "Set Identifer", {840, 360, 852, 372});
    txtBasSet = addTextBox(Frame2, "txtBasSet", {2040, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop);
    Label1 = addLabel(Frame2, "Label1", "Set Name", {4200, 360, 1092, 372});
    txtBasName = addTextBox(Frame2, "txtBasName", {5400, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop);
    lblBasCardNum = addLabel(Frame2, "lblBasCardNum", "Card Number", {840, 960, 972, 372});
    txtBasCardNum = addTextBox(Frame2, "txtBasCardNum", {2040, 960, 972, 372}, 4);
    lblBasSect = addLabel(Frame2, "lblBasSect", "Section", {1200, 1560, 612, 372});
    txtBasSect = addTextBox(Frame2, "txtBasSect", {2040, 1560, 1572, 372}, 20);
    lblBasDesc = addLabel(Frame2, "lblBasDesc", "Card Description", {600, 2160, 1212, 372});
    txtBasDesc = addTextBox(Frame2, "txtBasDesc", {2040, 2160, 3372, 372}, 50);
    lblBasVal = addLabel(Frame2, "lblBasVal", "Card Value", {960, 2760, 852, 372});
    txtBasValue = addTextBox(Frame2, "txtBasValue", {2040, 2760, 972, 372}, 10);

    Label9 = addLabel(Frame2, "Label9", "Card Front", {5880, 960, 852, 252});
    picBasFront = addPictureBox(Frame2, "picBasFront", {5520, 1320, 2172, 2532});
    Label10 = addLabel(Frame2, "Label10", "Card Back", {8400, 960, 852, 252});
    picBasBack = addPictureBox(Frame2, "picBasBack", {8040, 1320, 2172, 2532});
}

void FrmMain::buildSpecialsPage() {
    Frame3 = addFrame(centralWidget(), "Frame3", "Specials");
    Label7 = addLabel(Frame3, "Label7", "Set Identifer", {960, 360, 852, 372});
    txtSpecCode = addTextBox(Frame3, "txtSpecCode", {2040, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop);
    Label6 = addLabel(Frame3, "Label6", "Set Name", {4200, 360, 1092, 372});
    txtSpecName = addTextBox(Frame3, "txtSpecName", {5400, 360, 1932, 372}, 0, BoxLock::LockedNoTabStop);
    Label5 = addLabel(Frame3, "Label5", "Card Number", {840, 960, 972, 372});
    txtSpecCardNum = addTextBox(Frame3, "txtSpecCardNum", {2040, 960, 972, 372}, 4);
    Label4 = addLabel(Frame3, "Label4", "Type", {1200, 1560, 612, 372}, Qt::AlignRight);
    txtSpecType = addTextBox(Frame3, "txtSpecType", {2040, 1560, 1572, 372}, 20);
    Label3 = addLabel(Frame3, "Label3", "Card Description", {600, 2160, 1212, 372});
    txtSpecDesc = addTextBox(Frame3, "txtSpecDesc", {2040, 2160, 3564, 372}, 50);
    Label2 = addLabel(Frame3, "Label2", "Card Value", {960, 2760, 852, 372});
    txtSpecValue = addTextBox(Frame3, "txtSpecValue", {2040, 2760, 1092, 372}, 10);

    Label12 = addLabel(Frame3, "Label12", "Card Front", {6240, 864, 852, 252});
    picSpecFront = addPictureBox(Frame3, "picSpecFront", {5760, 1248, 1692, 2532});
    Label11 = addLabel(Frame3, "Label11", "Card Back", {9000, 840, 852, 252});
    picSpecBack = addPictureBox(Frame3, "picSpecBack", {8520, 1200, 1692, 2532});
}

void FrmMain::buildDataSources() {
    datSets.setRecordSource("Sets");
    datSets.bind(txtCode, "Code");
    datSets.bind(txtDesc, "Desc");
    datSets.bind(txtTot, "Cards");
    datSets.bind(txtvalue, "Value");

    // The card pages give these two their own queries when they are entered.
    datBasics.setRecordSource("Basics");
    datBasics.bind(txtBasSet, "Code");
    datBasics.bind(txtBasCardNum, "Card_Num");
    datBasics.bind(txtBasSect, "Section");
    datBasics.bind(txtBasDesc, "Desc");
    datBasics.bind(txtBasValue, "Value");

    DatSpecials.setRecordSource("SpecialCards");
    DatSpecials.bind(txtSpecCode, "Code");
    DatSpecials.bind(txtSpecCardNum, "Card_Num");
    DatSpecials.bind(txtSpecType, "Type");
    DatSpecials.bind(txtSpecDesc, "Desc");
    DatSpecials.bind(txtSpecValue, "Value");

    datrep.setRecordSource("SpecialCards");
}

} // namespace pellimo
