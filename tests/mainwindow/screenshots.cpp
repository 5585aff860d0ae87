// Saves pictures of the main window on each of its pages, in add mode, and of the About box, rendered
// offscreen, for a look at the layout: mainwindow_screenshots <folder>.

#include "about_box.h"
#include "box_text.h"
#include "fake_dialogs.h"
#include "frm_main.h"
#include "module1.h"
#include "tab_strip.h"
#include "temp_catalogue.h"
#include "window_control.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <cstdio>

namespace {

using namespace pellimo;

void fillCatalogue(const TempCatalogue& catalogue) {
    catalogue.exec("INSERT INTO Sets VALUES ('BAS2024', 'Baseball Series One 2024', 3, 42500)");
    catalogue.exec("INSERT INTO Basics (Code, Card_Num, Section, Desc, Value) VALUES "
                   "('BAS2024', 1, 'Rookies', 'Left fielder, first season', 12500), "
                   "('BAS2024', 2, 'Rookies', 'Pitcher', 10000)");
    catalogue.exec("INSERT INTO Specials (Code, Type, Card_Num, Desc, Value) VALUES "
                   "('BAS2024', 'Autograph', 1, 'Signed rookie card', 20000)");
    QImage logo(118, 152, QImage::Format_RGB32);
    logo.fill(QColor(30, 80, 150));
    QPainter painter(&logo);
    painter.setPen(Qt::white);
    painter.drawText(logo.rect(), Qt::AlignCenter, "Logo");
    painter.end();
    logo.save(QDir(catalogue.folder()).filePath("Logo.jpg"));
}

void showPage(FrmMain& window, int page) {
    const QList<QGroupBox*> frames{&control<QGroupBox>(window, "Frame1"),
                                   &control<QGroupBox>(window, "Frame2"),
                                   &control<QGroupBox>(window, "Frame3")};
    const QList<QComboBox*> boxes{&control<QComboBox>(window, "DBCombo1"),
                                  &control<QComboBox>(window, "DBCombo2"),
                                  &control<QComboBox>(window, "DBCombo3")};
    for (int i = 0; i < 3; ++i) {
        frames[i]->setVisible(i == page);
        boxes[i]->setVisible(i == page);
    }
    control<TabStrip>(window, "TabStrip1").setCurrentIndex(page);
}

bool save(QWidget& widget, const QString& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name);
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(pellimo::programVersion());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder for the pictures>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    TempCatalogue catalogue;
    fillCatalogue(catalogue);
    FakeDialogs dialogs;
    FrmMain* window = Main(catalogue.folder(), dialogs);
    if (window == nullptr)
        return 1;
    QTest::qWait(50);

    bool saved = save(*window, folder, "sets.png");
    showPage(*window, 1);
    showText(*&control<QLineEdit>(*window, "txtBasName"), window->txtDesc->text());
    saved &= save(*window, folder, "basics.png");
    showPage(*window, 2);
    showText(*&control<QLineEdit>(*window, "txtSpecName"), window->txtDesc->text());
    saved &= save(*window, folder, "specials.png");

    showPage(*window, 0);
    window->Buttons(NewButton).click();
    saved &= save(*window, folder, "sets_add_mode.png");

    saved &= save(*showAboutBox(), folder, "about.png");
    return saved ? 0 : 1;
}
