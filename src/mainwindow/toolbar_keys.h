#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QAbstractButton;

namespace pellimo {

// Makes a row of buttons one stop of the window's Tab order, as a toolbar is. Tab and Shift+Tab enter the
// row on one button: the one last focused while it stays enabled, otherwise the first enabled one. The
// arrow keys move the focus among the enabled buttons, round the row; Space or Enter presses the focused
// button as a click does. A click still gives a button no focus.
class ToolbarKeys : public QObject {
public:
    // The buttons, in their order, already placed in the Tab order where the row belongs.
    ToolbarKeys(std::vector<QAbstractButton*> buttons, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeEntry(QAbstractButton* button);
    void keepEntryEnabled();
    void moveFocus(QAbstractButton& from, int step);

    // Guarded: the window's teardown destroys the buttons one by one while focus events still come.
    std::vector<QPointer<QAbstractButton>> buttons_;
    QPointer<QAbstractButton> entry_;
};

} // namespace pellimo
