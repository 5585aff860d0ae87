#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QMouseEvent;
class QWidget;

namespace pellimo {

class PlainTextInput;

// The three events of a text box on which the window's field checks run:
// - validation, when the user is about to move the focus from the box to another control of the window,
//   by Tab or by a click. A cancelled validation keeps the focus in the box, and the key or the click does
//   nothing else. The window's own moves of the focus, and the focus leaving for another window, raise none.
// - keystroke, for each character typed into the box, before the box takes it; a code set to 0 drops the
//   character. A paste, which is no keystroke, into a box that has keystrokes is checked by the box's
//   validation instead, and taken back when refused: by Shift+Insert, from the context menu, or of the
//   selection by a middle click. Such a box takes no text dropped on it.
// - lost focus, once the focus has moved from the box to another control of the window, after the move.
// A click also stops short when the control it gave the focus to handed the focus on at once (a Fast Find
// box that refuses it): the click does not then act on that control.
class FieldEvents : public QObject {
public:
    struct Handlers {
        std::function<void(bool& Cancel)> validate;
        std::function<void(std::int16_t& KeyAscii)> keyPress;
        std::function<void()> lostFocus;
    };

    // Watches the boxes and the clicks of `window`, whose child it becomes; `pastes` checks what a paste
    // leaves in a box that filters its keystrokes.
    FieldEvents(QWidget& window, PlainTextInput& pastes);

    void watch(QLineEdit& box, Handlers handlers);

    // The validation of the watched box that has the focus, raised for a control that acts on a click
    // without taking the focus; true when it was cancelled.
    bool focusedBoxRefusesToBeLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Handlers* handlersOf(const QObject* box) const;
    bool keyPressed(const Handlers& handlers, const QKeyEvent& key);
    void focusLeft(const Handlers& handlers, const QFocusEvent& focus);
    bool windowPressed(const QMouseEvent& press);

    QWidget& window_;
    PlainTextInput& pastes_;
    std::vector<std::pair<const QLineEdit*, Handlers>> boxes_;
};

} // namespace pellimo
