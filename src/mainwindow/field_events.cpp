#include "field_events.h"

#include "keystroke_code.h"
#include "plain_text_input.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace pellimo {

namespace {

bool movesFocus(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool cancelled(const FieldEvents::Handlers& handlers) {
    bool Cancel = false;
    if (handlers.validate)
        handlers.validate(Cancel);
    return Cancel;
}

// The widget that a click on `clicked` gives the focus to, found as the platform finds it: the first
// enabled widget upwards that takes the focus by a click, followed to the end of its focus proxies.
QWidget* clickFocusTarget(QWidget* clicked) {
    for (QWidget* widget = clicked; widget != nullptr; widget = widget->parentWidget()) {
        QWidget* proxied = widget;
        while (proxied->focusProxy() != nullptr)
            proxied = proxied->focusProxy();
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus) &&
            (proxied->focusPolicy() & Qt::ClickFocus))
            return proxied;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

} // namespace

FieldEvents::FieldEvents(QWidget& window) : QObject(&window), window_(window) {
    // The clicks reach the window's platform window before any widget has given the focus away.
    qApp->installEventFilter(this);
}

void FieldEvents::watch(QLineEdit& box, Handlers handlers) {
    // A drop passes no keystroke filter either, and leaves nothing to take back when refused.
    if (handlers.keyPress)
        box.setAcceptDrops(false);
    boxes_.emplace_back(&box, std::move(handlers));
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (const Handlers* handlers = handlersOf(watched))
            return keyPressed(*static_cast<QLineEdit*>(watched), *handlers, *static_cast<QKeyEvent*>(event));
        break;
    case QEvent::FocusOut:
        if (const Handlers* handlers = handlersOf(watched))
            focusLeft(*handlers, *static_cast<QFocusEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        if (watched == window_.windowHandle())
            return windowPressed(*static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        if (const Handlers* handlers = filteringHandlersOf(watched))
            return middleReleased(*static_cast<QLineEdit*>(watched), *handlers,
                                  *static_cast<QMouseEvent*>(event));
        break;
    case QEvent::ContextMenu:
        if (const Handlers* handlers = filteringHandlersOf(watched)) {
            showContextMenu(*static_cast<QLineEdit*>(watched), *handlers,
                            *static_cast<QContextMenuEvent*>(event));
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool FieldEvents::focusedBoxRefusesToBeLeft() {
    const Handlers* handlers = handlersOf(window_.focusWidget());
    return handlers && cancelled(*handlers);
}

const FieldEvents::Handlers* FieldEvents::handlersOf(const QObject* box) const {
    const auto found = std::find_if(boxes_.begin(), boxes_.end(),
                                    [box](const auto& watched) { return watched.first == box; });
    return found == boxes_.end() ? nullptr : &found->second;
}

const FieldEvents::Handlers* FieldEvents::filteringHandlersOf(const QObject* box) const {
    const Handlers* handlers = handlersOf(box);
    return handlers && handlers->keyPress ? handlers : nullptr;
}

bool FieldEvents::keyPressed(QLineEdit& box, const Handlers& handlers, const QKeyEvent& key) {
    if (movesFocus(key))
        return cancelled(handlers);
    const std::optional<std::int16_t> typed = keystrokeCode(key);
    // Ctrl+V has a keystroke of its own, which the filters drop; Shift+Insert has none.
    if (handlers.keyPress && !typed && key.matches(QKeySequence::Paste)) {
        pasteChecked(box, handlers, QClipboard::Clipboard);
        return true;
    }
    if (!handlers.keyPress || !typed)
        return false;
    std::int16_t KeyAscii = *typed;
    handlers.keyPress(KeyAscii);
    return KeyAscii == 0;
}

// A paste passes no keystroke filter, so a box that filters its keystrokes checks what it holds after the
// paste, as when it is left; refused, it gets its text back.
void FieldEvents::pasteChecked(QLineEdit& box, const Handlers& handlers, QClipboard::Mode mode) {
    const QString before = box.text();
    box.insert(pastedText(mode));
    if (box.text() != before && cancelled(handlers))
        box.setText(before);
}

// The box's own menu, whose Paste item goes through the check.
void FieldEvents::showContextMenu(QLineEdit& box, const Handlers& handlers,
                                  const QContextMenuEvent& request) {
    showContextMenuPastingBy(box, request,
                             [this, &box, &handlers] { pasteChecked(box, handlers, QClipboard::Clipboard); });
}

// Where the platform has a selection, a middle click pastes it at the place clicked.
bool FieldEvents::middleReleased(QLineEdit& box, const Handlers& handlers, const QMouseEvent& release) {
    if (release.button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
        return false;
    box.deselect();
    pasteChecked(box, handlers, QClipboard::Selection);
    return true;
}

void FieldEvents::focusLeft(const Handlers& handlers, const QFocusEvent& focus) {
    // Another window, a menu or a drop-down list taking the focus leaves the focus within the box's reach.
    const Qt::FocusReason reason = focus.reason();
    if (!handlers.lostFocus || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason)
        return;
    // Raised once the move is done, so that a box the handler moves the focus to keeps it.
    QMetaObject::invokeMethod(this, handlers.lostFocus, Qt::QueuedConnection);
}

bool FieldEvents::windowPressed(const QMouseEvent& press) {
    QWidget* target = clickFocusTarget(window_.childAt(press.position().toPoint()));
    QWidget* left = window_.focusWidget();
    if (target == nullptr || target == left)
        return false;
    if (const Handlers* handlers = handlersOf(left); handlers && cancelled(*handlers))
        return true;
    target->setFocus(Qt::MouseFocusReason);
    return window_.focusWidget() != target;
}

} // namespace pellimo
