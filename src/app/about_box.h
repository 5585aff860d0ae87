#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace pellimo {

// The About box: the program's picture with its version line, closed by OK, Enter, Escape or the
// window's close button. It is not modal and has no owner, so the main window stays usable beside it;
// closing it discards it.
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    FrmAbout();

private:
    void buildControls();
    void formLoad();

    QLabel* imgAbout_ = nullptr;
    QLabel* lblDetails_ = nullptr;
};

// The program's version, major.minor.revision, as the build names it.
QString programVersion();
// "Version: 1.0.0" and a line break.
QString versionLine();

// Shows the one About box: loads a fresh box when none is open, otherwise raises and activates the
// open one. Returns the box shown.
FrmAbout* showAboutBox();

} // namespace pellimo
