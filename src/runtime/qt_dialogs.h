#pragma once

#include "dialogs.h"

class QWidget;

namespace pellimo {

// The real dialogs: message boxes, the input box and the file dialogs of Qt, centred on `parent`.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;

    int MsgBox(const QString& prompt, int flags = vbOKOnly, const QString& title = {}) override;
    QString InputBox(const QString& prompt, const QString& title) override;
    void ShowOpen(CommonDialog& dialog) override;
    void ShowSave(CommonDialog& dialog) override;
    void Beep() override;
    // The hourglass is one override cursor of the application, set once however often it is asked for.
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }

private:
    QWidget* parent_;
    int pointer_ = MousePointerDefault;
};

} // namespace pellimo
