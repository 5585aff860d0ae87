#include "lock_wait.h"

#include "busy_wait.h"

#include <QApplication>
#include <QEvent>

namespace pellimo {

namespace {

class InputDuringWait final : public QObject {
public:
    explicit InputDuringWait(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::InputMethod:
        case QEvent::Close:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

InputDuringWait* inputFilter = nullptr; // installed while a wait lasts

void waitGoesOn() {
    if (inputFilter == nullptr) {
        inputFilter = new InputDuringWait(qApp);
        qApp->installEventFilter(inputFilter);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QCoreApplication::processEvents();
}

void waitEnded() {
    if (inputFilter == nullptr)
        return;
    QCoreApplication::processEvents(); // input that came in at the very end goes the same way
    QApplication::restoreOverrideCursor();
    delete inputFilter;
    inputFilter = nullptr;
}

} // namespace

void keepWindowsAliveWhileLocked() {
    setBusyWaitHooks({waitGoesOn, waitEnded});
}

} // namespace pellimo
