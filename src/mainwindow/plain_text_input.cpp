#include "plain_text_input.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>

namespace pellimo {

namespace {

bool isControl(QChar c) {
    return c.category() == QChar::Other_Control;
}

bool holdsControls(const QString& text) {
    return std::any_of(text.begin(), text.end(), isControl);
}

// The clipboard's or the selection's text, as a paste puts it into a box.
QString pastedText(QClipboard::Mode mode) {
    return withoutControlCharacters(QGuiApplication::clipboard()->text(mode));
}

// The box's own context menu, opened where the user asked for it, with its Paste item doing `paste`.
void showContextMenuPastingBy(QLineEdit& box, const QContextMenuEvent& request, std::function<void()> paste) {
    QMenu* menu = box.createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The item is the action wired to the box's own paste slot.
    for (QAction* action : menu->actions())
        if (QObject::disconnect(action, SIGNAL(triggered()), &box, SLOT(paste())))
            QObject::connect(action, &QAction::triggered, &box, paste);
    menu->popup(request.globalPos());
}

} // namespace

QString withoutControlCharacters(QString text) {
    text.removeIf(isControl);
    return text;
}

PlainTextInput::PlainTextInput(QWidget& window) : QObject(&window) {
    for (QLineEdit* box : window.findChildren<QLineEdit*>())
        box->installEventFilter(this);
}

void PlainTextInput::checkPastes(const QLineEdit& box, std::function<bool()> refused) {
    checks_.emplace_back(&box, std::move(refused));
}

// A paste passes no keystroke filter, so a box with a check runs it on what it holds after the paste, as
// when it is left; refused, the box gets its text back.
void PlainTextInput::paste(QLineEdit& box, QClipboard::Mode mode) const {
    const QString before = box.text();
    box.insert(pastedText(mode));
    const auto check = std::find_if(checks_.begin(), checks_.end(),
                                    [&box](const auto& checked) { return checked.first == &box; });
    if (check != checks_.end() && box.text() != before && check->second())
        box.setText(before);
}

// A box's own filters come after the window's application-wide ones: a paste that the field checks take
// over, or a key they drop, never reaches this.
bool PlainTextInput::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr || box->isReadOnly())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            paste(*box, QClipboard::Clipboard);
            return true;
        }
        break;
    case QEvent::ContextMenu:
        showContextMenuPastingBy(*box, *static_cast<QContextMenuEvent*>(event),
                                 [this, box] { paste(*box, QClipboard::Clipboard); });
        return true;
    case QEvent::MouseButtonRelease:
        // Where the platform has a selection, a middle click pastes it.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            box->deselect();
            paste(*box, QClipboard::Selection);
            return true;
        }
        break;
    case QEvent::Drop:
        return dropped(*box, *static_cast<QDropEvent*>(event));
    case QEvent::InputMethod:
        return composed(*box, *static_cast<QInputMethodEvent*>(event));
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The box takes the dropped text without its control characters, as it takes any other drop.
bool PlainTextInput::dropped(QLineEdit& box, QDropEvent& drop) {
    const QMimeData* data = drop.mimeData();
    if (data == nullptr || !holdsControls(data->text()))
        return false;
    QMimeData plain;
    plain.setText(withoutControlCharacters(data->text()));
    QDropEvent plainDrop(drop.position(), drop.possibleActions(), &plain, drop.buttons(), drop.modifiers());
    QCoreApplication::sendEvent(&box, &plainDrop);
    drop.setDropAction(plainDrop.dropAction());
    drop.setAccepted(plainDrop.isAccepted());
    return true;
}

// Text the input method commits goes in without its control characters; what it is composing stays.
bool PlainTextInput::composed(QLineEdit& box, QInputMethodEvent& input) {
    if (!holdsControls(input.commitString()))
        return false;
    QInputMethodEvent plain(input.preeditString(), input.attributes());
    plain.setCommitString(withoutControlCharacters(input.commitString()), input.replacementStart(),
                          input.replacementLength());
    QCoreApplication::sendEvent(&box, &plain);
    input.setAccepted(plain.isAccepted());
    return true;
}

} // namespace pellimo
