#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class QContextMenuEvent;
class QDropEvent;
class QInputMethodEvent;
class QLineEdit;
class QWidget;

namespace pellimo {

// What a box takes from outside the keyboard's keys, without the control characters (the C0 codes, tab,
// carriage return and line feed among them, DEL and the C1 codes) that a typed key never inserts either.
QString withoutControlCharacters(QString text);

// Keeps control characters out of every text box of a window, whichever way text reaches a box from outside:
// a paste by key, from the context menu or of the selection by a middle click, a drop, the input method.
// The window's own writes into its boxes keep their text as it is.
class PlainTextInput : public QObject {
public:
    // Watches the text boxes `window` holds now; becomes the window's child.
    explicit PlainTextInput(QWidget& window);

    // A box whose text passes a check: a paste into it is taken back when `refused` says so.
    void checkPastes(const QLineEdit& box, std::function<bool()> refused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paste(QLineEdit& box, QClipboard::Mode mode) const;
    static bool dropped(QLineEdit& box, QDropEvent& drop);
    static bool composed(QLineEdit& box, QInputMethodEvent& input);

    std::vector<std::pair<const QLineEdit*, std::function<bool()>>> checks_;
};

} // namespace pellimo
