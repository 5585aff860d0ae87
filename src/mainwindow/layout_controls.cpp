#include "layout_controls.h"

#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QValidator>

namespace pellimo {

void place(QWidget* control, TwipsPlace where) {
    control->setGeometry(twipsToRect(where.left, where.top, where.width, where.height));
}

QFont sansSerifFont(qreal pointSize, bool bold) {
    QFont font;
    // The narrow faces the layout was measured with come first; any sans serif face serves after them.
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans", "Nimbus Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QGroupBox* addFrame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    // Drawn over the tab strip's body, which it hides but for its border.
    frame->setAutoFillBackground(true);
    return frame;
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, TwipsPlace where,
                 Qt::Alignment alignment) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    // Captions stand at the top of their place and wrap at its width, as the window's labels always did.
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    place(label, where);
    return label;
}

namespace {

// The maximum length of a box limits what the user types or pastes, never what the program writes:
// QLineEdit's own limit would cut a stored amount or count that is longer than the box allows to type.
class TypedLengthLimit : public QValidator {
public:
    TypedLengthLimit(int maxLength, QObject* parent) : QValidator(parent), maxLength_(maxLength) {}

    State validate(QString& input, int&) const override {
        return input.size() <= maxLength_ ? Acceptable : Invalid;
    }

private:
    int maxLength_;
};

} // namespace

QLineEdit* addTextBox(QWidget* parent, const char* name, TwipsPlace where, int maxLength, BoxLock lock) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (maxLength > 0)
        box->setValidator(new TypedLengthLimit(maxLength, box));
    box->setReadOnly(lock != BoxLock::None);
    if (lock == BoxLock::LockedNoTabStop)
        box->setFocusPolicy(Qt::ClickFocus);
    place(box, where);
    return box;
}

QLabel* addPictureBox(QWidget* parent, const char* name, TwipsPlace where) {
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setScaledContents(true);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    place(box, where);
    return box;
}

} // namespace pellimo
