#pragma once

#include "dialogs.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace pellimo {

// One box the program showed, as the user saw it.
struct DialogCall {
    enum class Kind { MsgBox, InputBox, ShowOpen, ShowSave };
    Kind kind;
    QString text;               // the prompt; for a file dialog its filter
    int flags = 0;              // message box or file dialog flags
    QString title;              // as shown: "Pellimo" for a box given none
    CommonDialog settings = {}; // a file dialog's settings when it was shown
};

// Dialogs for tests: records every call and answers from queues the test fills.
class FakeDialogs : public Dialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<int> msgBoxAnswers;    // when empty, a box is answered vbOK
    std::deque<QString> inputAnswers; // when empty, an input box is cancelled ("")
    std::vector<int> pointerHistory;  // every pointer set, in order
    int beeps = 0;

    // The next file dialog returns `path` (the default extension added as the real dialog adds it).
    void queueFile(const QString& path) { fileAnswers_.emplace_back(path); }
    // The next file dialog is cancelled; so is any dialog for which nothing is queued.
    void queueCancel() { fileAnswers_.emplace_back(std::nullopt); }

    // The message boxes alone, in order.
    std::vector<DialogCall> messages() const;

    int MsgBox(const QString& prompt, int flags = vbOKOnly, const QString& title = {}) override;
    QString InputBox(const QString& prompt, const QString& title) override;
    void ShowOpen(CommonDialog& dialog) override { showFile(DialogCall::Kind::ShowOpen, dialog); }
    void ShowSave(CommonDialog& dialog) override { showFile(DialogCall::Kind::ShowSave, dialog); }
    void Beep() override { ++beeps; }
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }

private:
    void showFile(DialogCall::Kind kind, CommonDialog& dialog);

    std::deque<std::optional<QString>> fileAnswers_;
    int pointer_ = MousePointerDefault;
};

} // namespace pellimo
