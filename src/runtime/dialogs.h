#pragma once

#include <QString>

namespace pellimo {

// Message box flags and answers, as the program's own procedures give them.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;

inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

inline constexpr int MousePointerDefault = 0;
inline constexpr int MousePointerHourglass = 11;

// Flags of the file dialogs.
inline constexpr int cdlOFNOverwritePrompt = 2;
inline constexpr int cdlOFNCreatePrompt = 8192;

// The one file dialog of a window: its settings persist from one use to the next, as the window's
// common dialog does. A dialog shown returns the chosen path in fileName and its last part in fileTitle.
struct CommonDialog {
    bool cancelError = false; // cancelling then throws EngineError 32755
    QString dialogTitle;
    QString filter; // "description |pattern" pairs, separated by '|': "Pictures (*.jpg) |*.jpg"
    QString defaultExt;
    QString initDir;
    QString fileName;
    QString fileTitle;
    int flags = 0;
};

// Every modal interaction with the user.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box given no title shows "Pellimo". Returns the answer (vbOK, vbCancel, vbYes, vbNo).
    virtual int MsgBox(const QString& prompt, int flags = vbOKOnly, const QString& title = {}) = 0;
    // The typed text; empty text when cancelled.
    virtual QString InputBox(const QString& prompt, const QString& title) = 0;
    virtual void ShowOpen(CommonDialog& dialog) = 0;
    virtual void ShowSave(CommonDialog& dialog) = 0;
    virtual void Beep() = 0;
    // Application-wide: MousePointerDefault or MousePointerHourglass.
    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;
};

} // namespace pellimo
