// Not a test: show_pictures_child <catalogue> <n> shows the pictures of the first special card of the
// catalogue n times, as a second running copy of the program does, in the TEMP it was given. Prints how
// many displays did not show its red front, and exits 0 when each one did.

#include "card_pictures.h"
#include "fake_dialogs.h"
#include "picture_files.h"
#include "picture_page.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3)
        return EXIT_FAILURE;
    using namespace pellimo;
    QWidget window;
    QLabel* boxes[2];
    for (QLabel*& box : boxes) {
        box = new QLabel(&window);
        box->setScaledContents(true);
    }
    DataSource DatSpecials("DatSpecials");
    DatSpecials.setDatabaseName(argv[1]);
    DatSpecials.setRecordSource("SpecialCards");
    DatSpecials.Refresh();
    DataSource* CurData = &DatSpecials;
    FakeDialogs dialogs;
    CommonDialog cd1;
    const PicturePage specialsPage{SpecialsPage, DatSpecials, boxes[0], boxes[1]};
    CardPictures pictures{{{&specialsPage.page}, CurData, dialogs, cd1}};
    const int displays = std::atoi(argv[2]);
    int wrong = 0;
    for (int display = 0; display < displays; ++display) {
        pictures.GetPicture(SpecialsPage);
        if (!showsColour(*boxes[0], Qt::red))
            ++wrong;
    }
    std::printf("%d of %d displays did not show the red front\n", wrong, displays);
    return wrong == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
