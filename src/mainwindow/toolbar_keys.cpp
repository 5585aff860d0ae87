#include "toolbar_keys.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

namespace pellimo {

ToolbarKeys::ToolbarKeys(std::vector<QAbstractButton*> buttons, QObject* parent)
    : QObject(parent), buttons_(buttons.begin(), buttons.end()) {
    // Only the entry button is a Tab stop: the others stay in the order, passed over until one becomes
    // the entry.
    for (QAbstractButton* button : buttons) {
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this);
    }
    makeEntry(buttons.front());
    keepEntryEnabled();
}

bool ToolbarKeys::eventFilter(QObject* watched, QEvent* event) {
    // A button being destroyed is no button any more.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (button == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        makeEntry(button);
        break;
    case QEvent::EnabledChange:
        keepEntryEnabled();
        break;
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (key.modifiers() & ~Qt::KeypadModifier)
            break;
        switch (key.key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            moveFocus(*button, -1);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
            moveFocus(*button, 1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Space is the button's own key; Enter clicks it the same way.
            button->click();
            return true;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ToolbarKeys::makeEntry(QAbstractButton* button) {
    if (button == entry_)
        return;
    if (entry_)
        entry_->setFocusPolicy(Qt::NoFocus);
    entry_ = button;
    // Tab only: a click on a button leaves the focus where it is.
    entry_->setFocusPolicy(Qt::TabFocus);
}

// A disabled entry would take the whole row out of the Tab order.
void ToolbarKeys::keepEntryEnabled() {
    if (entry_ && entry_->isEnabled())
        return;
    const auto enabled =
        std::find_if(buttons_.begin(), buttons_.end(),
                     [](const QPointer<QAbstractButton>& button) { return button && button->isEnabled(); });
    if (enabled != buttons_.end())
        makeEntry(*enabled);
}

void ToolbarKeys::moveFocus(QAbstractButton& from, int step) {
    const auto count = static_cast<std::ptrdiff_t>(buttons_.size());
    const std::ptrdiff_t start = std::find(buttons_.begin(), buttons_.end(), &from) - buttons_.begin();
    for (std::ptrdiff_t offset = 1; offset < count; ++offset) {
        QAbstractButton* next = buttons_[static_cast<std::size_t>((start + step * offset + count) % count)];
        if (next && next->isEnabled()) {
            makeEntry(next);
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

} // namespace pellimo
