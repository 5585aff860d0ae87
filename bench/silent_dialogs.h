#pragma once

#include "dialogs.h"

#include <QString>

namespace pellimo {

// Dialogs for a benchmark run: every message box is answered OK at once and its text kept, so that a run
// that showed one can be failed; file dialogs and input boxes are cancelled.
class SilentDialogs : public Dialogs {
public:
    int MsgBox(const QString& prompt, int = vbOKOnly, const QString& = {}) override {
        lastMessage = prompt;
        return vbOK;
    }
    QString InputBox(const QString&, const QString&) override { return {}; }
    void ShowOpen(CommonDialog&) override {}
    void ShowSave(CommonDialog&) override {}
    void Beep() override {}
    void setMousePointer(int) override {}
    int mousePointer() const override { return MousePointerDefault; }

    QString lastMessage;
};

} // namespace pellimo
