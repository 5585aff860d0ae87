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

void paste(QLineEdit& box, QClipboard::Mode mode) {
    box.insert(pastedText(mode));
}

} // namespace

QString withoutControlCharacters(QString text) {
    text.removeIf(isControl);
    return text;
}

QString pastedText(QClipboard::Mode mode) {
    return withoutControlCharacters(QGuiApplication::clipboard()->text(mode));
}

void showContextMenuPastingBy(QLineEdit& box, const QContextMenuEvent& request, std::function<void()> paste) {
    QMenu* menu = box.createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The item is the action wired to the box's own paste slot.
    for (QAction* action : menu->actions())
        if (QObject::disconnect(action, SIGNAL(triggered()), &box, SLOT(paste())))
            QObject::connect(action, &QAction::triggered, &box, paste);
    menu->popup(request.globalPos());
}

PlainTextInput::PlainTextInput(QWidget& window) : QObject(&window) {
    for (QLineEdit* box : window.findChildren<QLineEdit*>())
        box->installEventFilter(this);
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
                                 [box] { paste(*box, QClipboard::Clipboard); });
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
