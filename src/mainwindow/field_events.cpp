#include "field_events.h"

#include "keystroke_code.h"
#include "plain_text_input.h"

#include <QApplication>
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

FieldEvents::FieldEvents(QWidget& window, PlainTextInput& pastes)
    : QObject(&window), window_(window), pastes_(pastes) {
    // The clicks reach the window's platform window before any widget has given the focus away.
    qApp->installEventFilter(this);
}

void FieldEvents::watch(QLineEdit& box, Handlers handlers) {
    // A drop passes no keystroke filter either, and leaves nothing to take back when refused.
    // A paste passes no keystroke filter: such a box checks what a paste leaves in it.
    if (handlers.keyPress) {
        box.setAcceptDrops(false);
        pastes_.checkPastes(box, [this, &box] { return cancelled(*handlersOf(&box)); });
    }
    boxes_.emplace_back(&box, std::move(handlers));
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (const Handlers* handlers = handlersOf(watched))
            return keyPressed(*handlers, *static_cast<QKeyEvent*>(event));
        break;
    case QEvent::FocusOut:
        if (const Handlers* handlers = handlersOf(watched))
            focusLeft(*handlers, *static_cast<QFocusEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        if (watched == window_.windowHandle())
            return windowPressed(*static_cast<QMouseEvent*>(event));
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

bool FieldEvents::keyPressed(const Handlers& handlers, const QKeyEvent& key) {
    if (movesFocus(key))
        return cancelled(handlers);
    // Ctrl+V has a keystroke of its own, which the filters drop; Shift+Insert has none and is a paste.
    const std::optional<std::int16_t> typed = keystrokeCode(key);
    if (!handlers.keyPress || !typed)
        return false;
    std::int16_t KeyAscii = *typed;
    handlers.keyPress(KeyAscii);
    return KeyAscii == 0;
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
