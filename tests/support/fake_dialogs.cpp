#include "fake_dialogs.h"

#include "dialog_rules.h"

namespace pellimo {

namespace {

template <typename T> std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

} // namespace

std::vector<DialogCall> FakeDialogs::messages() const {
    std::vector<DialogCall> boxes;
    for (const DialogCall& call : calls)
        if (call.kind == DialogCall::Kind::MsgBox)
            boxes.push_back(call);
    return boxes;
}

int FakeDialogs::MsgBox(const QString& prompt, int flags, const QString& title) {
    calls.push_back({DialogCall::Kind::MsgBox, prompt, flags, boxTitle(title)});
    return takeFront(msgBoxAnswers).value_or(vbOK);
}

QString FakeDialogs::InputBox(const QString& prompt, const QString& title) {
    calls.push_back({DialogCall::Kind::InputBox, prompt, 0, boxTitle(title)});
    return takeFront(inputAnswers).value_or(QString());
}

void FakeDialogs::showFile(DialogCall::Kind kind, CommonDialog& dialog) {
    calls.push_back({kind, dialog.filter, dialog.flags, dialog.dialogTitle, dialog});
    const std::optional<QString> path = takeFront(fileAnswers_).value_or(std::nullopt);
    if (path)
        acceptFileChoice(dialog, withDefaultExtension(*path, dialog.defaultExt));
    else
        cancelFileChoice(dialog);
}

void FakeDialogs::setMousePointer(int pointer) {
    pointerHistory.push_back(pointer);
    pointer_ = pointer;
}

} // namespace pellimo
