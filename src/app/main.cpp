#include "about_box.h"
#include "module1.h"
#include "qt_dialogs.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Pellimo");
    QApplication::setApplicationVersion(pellimo::programVersion());
    pellimo::QtDialogs dialogs;
    // The catalogue, the logo and the help file live beside the executable, wherever it is started from.
    if (pellimo::Main(QApplication::applicationDirPath(), dialogs) == nullptr)
        return EXIT_FAILURE;
    return QApplication::exec();
}
