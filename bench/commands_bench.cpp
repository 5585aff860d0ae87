// Every command of the main window timed on catalogues of growing size: the real window offscreen, driven
// through its toolbar, tab strip and Fast Find box with scripted dialogs, beside raw sqlite3 doing the same
// work (raw_commands.h). Prints each command's median time, ours and raw, their ratio, and how each grows
// with the catalogue.
#include "bench_catalogue.h"
#include "bench_picture.h"
#include "fake_dialogs.h"
#include "frm_main.h"
#include "module1.h"
#include "raw_commands.h"
#include "tab_strip.h"
#include "twips.h"
#include "window_control.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellimo {
namespace {

constexpr int Runs = 15;
constexpr int SlowRuns = 5; // start-up, and Save and Delete of a set of 9,999 cards
constexpr const char* NewSetCode = "NEWSET";

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

// Raw's report must be ours byte for byte, or it did other work than ours.
void requireSameBytes(const QByteArray& ours, const QByteArray& raw) {
    if (ours == raw)
        return;
    qsizetype at = 0;
    while (at < ours.size() && at < raw.size() && ours[at] == raw[at])
        ++at;
    const auto around = [at](const QByteArray& bytes) {
        return bytes.mid(std::max<qsizetype>(at - 40, 0), 80);
    };
    throw std::runtime_error("raw's report differs from ours at byte " + std::to_string(at) + ": ours \"" +
                             around(ours).toStdString() + "\", raw \"" + around(raw).toStdString() + "\"");
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double timeOf(const std::function<void()>& body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    return millisecondsSince(start);
}

struct Figure {
    std::string command;
    double ours;
    double raw;
};

// The medians of `runs` timings of `ours` and of `raw`, taken in turn so that both meet the same machine
// (a disk flush takes from 1 to 20 ms here), each run of ours after an untimed `prepare`.
Figure compare(const char* command, int runs, const std::function<void()>& prepare,
               const std::function<void()>& ours, const std::function<void()>& raw) {
    std::vector<double> oursTimes, rawTimes;
    for (int run = 0; run < runs; ++run) {
        prepare();
        oursTimes.push_back(timeOf(ours));
        rawTimes.push_back(timeOf(raw));
    }
    return {command, median(oursTimes), median(rawTimes)};
}

// The main window over one catalogue, driven as the user drives it.
class Session {
public:
    explicit Session(const SizedCatalogue& catalogue) : catalogue_(catalogue), raw_(catalogue.rawPath()) {
        raw_.setPictureBox(twipsToRect(0, 0, 2172, 2532).size());
    }

    std::vector<Figure> run() {
        startUp();
        window_ = start();
        setsPageMoves();
        findSet(BenchCatalogue::BigSet);
        basicsPage();
        findSet(SizedCatalogue::PictureSet);
        bigPicture();
        saveAndDeleteASet();
        delete window_;
        return std::move(figures_);
    }

private:
    // Main, then the event loop until the first activation has put the first set into edit mode.
    FrmMain* start() {
        FrmMain* window = Main(QString::fromStdString(catalogue_.folder()), dialogs_);
        if (window == nullptr)
            throw std::runtime_error("the catalogue did not open");
        QElapsedTimer waited;
        waited.start();
        while (window->datSets.Recordset().EditMode() != dbEditInProgress && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        return window;
    }

    // A click on the toolbar button with this key, which must be enabled.
    void press(const char* key) {
        for (ToolbarButton index : allToolbarButtons) {
            QToolButton& button = window_->Buttons(index);
            if (button.property("key").toString() == key) {
                if (!button.isEnabled())
                    throw std::runtime_error(std::string(key) + " is not enabled");
                button.click();
                return;
            }
        }
    }

    void selectTab(Page page) { control<TabStrip>(*window_, "TabStrip1").setCurrentIndex(page - SetsPage); }

    // The user selects the box's text and types over it.
    static void typeInto(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    // The titles of the message boxes shown since the last call, which must be `expected`.
    void expectMessages(const QStringList& expected, const char* command) {
        QStringList titles;
        for (const DialogCall& call : dialogs_.messages())
            titles << call.title + ": " + call.text.section('\n', 0, 0);
        dialogs_.calls.clear();
        QStringList wanted;
        for (const QString& title : expected)
            wanted << title;
        bool same = titles.size() == wanted.size();
        for (int i = 0; same && i < titles.size(); ++i)
            same = titles[i].startsWith(wanted[i] + ":");
        if (!same)
            throw std::runtime_error(std::string(command) + " showed: " + titles.join(" | ").toStdString());
    }

    // What the user waits for after a command: the events it left, then the window painted again.
    static void settle(QWidget* window) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        if (window != nullptr)
            window->repaint();
    }

    void add(const char* command, int runs, const std::function<void()>& prepare,
             const std::function<void()>& ours, const std::function<void()>& raw) {
        figures_.push_back(compare(
            command, runs, prepare,
            [&] {
                ours();
                settle(window_);
            },
            raw));
    }

    void startUp() {
        FrmMain* previous = nullptr;
        const auto unload = [&] {
            delete previous;
            previous = nullptr;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        add(
            "start-up (load + first activation)", SlowRuns, unload,
            [&] {
                previous = start();
                settle(previous);
            },
            [&] { RawCommands::startUp(catalogue_.rawPath()); });
        unload();
        expectMessages({}, "start-up");
    }

    void setsPageMoves() {
        long position = 0;
        add(
            "Next on the Sets page", Runs, [] {}, [&] { press("Next"); }, [&] { raw_.showSet(++position); });
        add(
            "Prev on the Sets page", Runs, [] {}, [&] { press("Prev"); }, [&] { raw_.showSet(--position); });
        int renames = 0;
        QString name;
        add(
            "rename a set, then Next", Runs,
            [&] {
                name = QString("Renamed %1").arg(++renames);
                typeInto(window_->txtDesc, name);
            },
            [&] { press("Next"); },
            [&] { position = raw_.renameSetAndMoveOn(position, name.toStdString()); });
        if (window_->txtDesc->text() == name ||
            control<QComboBox>(*window_, "DBCombo1").itemText(Runs - 1) != name)
            throw std::runtime_error("the renamed sets were not left in their places");
        expectMessages({}, "Next, Prev and renames on the Sets page");
    }

    void findSet(const char* code) {
        if (window_->pageState().TabMode != SetsPage)
            selectTab(SetsPage);
        dialogs_.inputAnswers.push_back(code);
        press("Find");
        expectMessages({"Find Set"}, "Find of a set");
    }

    void basicsPage() {
        add(
            "entering Basics of 9,999 cards", Runs, [&] { selectTab(SetsPage); },
            [&] { selectTab(BasicsPage); }, [&] { raw_.enterCards(BenchCatalogue::BigSet); });

        long position = 0;
        add(
            "Next on Basics, no edit", Runs, [] {}, [&] { press("Next"); },
            [&] { raw_.showCard(++position); });

        int edits = 0;
        QString typed;
        add(
            "Next on Basics, with an edit", Runs,
            [&] {
                typed = QString("E%1").arg(++edits);
                typeInto(&control<QLineEdit>(*window_, "txtBasSect"), typed);
            },
            [&] { press("Next"); },
            [&] {
                // Raw's catalogue is a copy of its own: it takes what ours takes, so that its report is ours.
                raw_.storeSection(position, typed.toStdString());
                raw_.showCard(++position);
            });
        add(
            "edit a card's description, then Next", Runs,
            [&] {
                typed = QString("Described %1").arg(++edits);
                typeInto(&control<QLineEdit>(*window_, "txtBasDesc"), typed);
            },
            [&] { press("Next"); },
            [&] { position = raw_.describeCardAndMoveOn(position, typed.toStdString()); });
        if (control<QLineEdit>(*window_, "txtBasCardNum").text().toLong() != position + 1)
            throw std::runtime_error("the description edits did not move on card by card");
        expectMessages({}, "moves on the Basics page");

        add(
            "Find of the last card", Runs,
            [&] {
                press("First");
                dialogs_.inputAnswers.push_back("Card 9999");
            },
            [&] { press("Find"); }, [&] { raw_.findCard("Card 9999"); });
        dialogs_.calls.clear();

        // The two parts of a Find, to tell where its time goes: the search and the landing card's pictures.
        add(
            "  its search alone (FindFirst)", Runs, [&] { window_->datBasics.Recordset().MoveFirst(); },
            [&] { window_->datBasics.Recordset().FindFirst(Criterion::like("Desc", "*Card 9999*")); },
            [&] { raw_.firstCardWith("Card 9999"); });
        add(
            "  its pictures alone, each via picture.tmp", Runs, [] {},
            [&] { window_->pictures.GetPicture(BasicsPage); },
            [&] { raw_.decodePictures(BenchCatalogue::BigSetCards - 1); });
        const int last = BenchCatalogue::BigSetCards - 1;
        QComboBox& fastFind = control<QComboBox>(*window_, "DBCombo2");
        add(
            "Fast Find jump to the last card, edit pending", Runs,
            [&] {
                press("First");
                typed = QString("J%1").arg(++edits);
                typeInto(&control<QLineEdit>(*window_, "txtBasSect"), typed);
                fastFind.setCurrentIndex(last);
            },
            [&] { emit fastFind.activated(last); },
            [&] {
                raw_.storeSection(0, typed.toStdString());
                raw_.showCard(last);
            });
        if (control<QLineEdit>(*window_, "txtBasCardNum").text() != "9999")
            throw std::runtime_error("the Fast Find jump did not reach the last card");
        expectMessages({}, "the Fast Find jump");

        QTemporaryDir reports;
        const QString ourReport = reports.filePath("ours.htm");
        const QString rawReport = reports.filePath("raw.htm");
        const std::string setName = window_->txtDesc->text().toStdString();
        add(
            "report of 9,999 cards", Runs,
            [&] {
                dialogs_.queueFile(ourReport);
                dialogs_.msgBoxAnswers.push_back(vbNo);
            },
            [&] { press("Report"); }, [&] { raw_.report(BenchCatalogue::BigSet, setName, rawReport); });
        requireSameBytes(contentsOf(ourReport), contentsOf(rawReport));
        dialogs_.calls.clear();
    }

    void bigPicture() {
        selectTab(BasicsPage);
        raw_.enterCards(SizedCatalogue::PictureSet);
        add(
            "12-megapixel front shown, via picture.tmp", Runs, [] {}, [&] { press("First"); },
            [&] { raw_.decodePictures(0); });
        if (control<QLabel>(*window_, "picBasFront").pixmap().isNull())
            throw std::runtime_error("the 12-megapixel front was not shown");
        expectMessages({}, "the picture");
        selectTab(SetsPage);
    }

    // The set saved is deleted at once: each run starts from the same catalogue.
    void saveAndDeleteASet() {
        std::vector<double> saves, rawSaves, deletes, rawDeletes;
        for (int run = 0; run < SlowRuns; ++run) {
            press("New");
            typeInto(&control<QLineEdit>(*window_, "txtCode"), NewSetCode);
            typeInto(window_->txtDesc, "New Set");
            typeInto(&control<QLineEdit>(*window_, "txtTot"), QString::number(BenchCatalogue::BigSetCards));
            typeInto(window_->txtvalue, "1.50");
            saves.push_back(timeOf([&] {
                press("Save");
                settle(window_);
            }));
            expectMessages({"Set Added"}, "Save of a new set");
            rawSaves.push_back(timeOf([&] { raw_.saveNewSet("RAWSET", BenchCatalogue::BigSetCards); }));
            deletes.push_back(timeOf([&] {
                press("Delete");
                settle(window_);
            }));
            expectMessages({"Delete Record", "Delete"}, "Delete of the new set");
            rawDeletes.push_back(timeOf([&] { raw_.deleteSet("RAWSET"); }));
        }
        figures_.push_back({"Save of a new set of 9,999 cards", median(saves), median(rawSaves)});
        figures_.push_back({"Delete of that set", median(deletes), median(rawDeletes)});
    }

    const SizedCatalogue& catalogue_;
    RawCommands raw_;
    FakeDialogs dialogs_;
    FrmMain* window_ = nullptr;
    std::vector<Figure> figures_;
};

struct CatalogueSize {
    int sets;
    int cardsPerSet;
    const char* name;
};

void printFigures(const CatalogueSize& size, const std::vector<Figure>& figures) {
    std::printf("\n%s (+ a set of 9,999 cards)\n", size.name);
    std::printf("%-48s %10s %10s %7s\n", "command", "ours ms", "raw ms", "ratio");
    for (const Figure& figure : figures)
        std::printf("%-48s %10.3f %10.3f %6.2fx\n", figure.command.c_str(), figure.ours, figure.raw,
                    figure.raw > 0 ? figure.ours / figure.raw : 0.0);
    std::fflush(stdout);
}

void printGrowth(const std::vector<CatalogueSize>& sizes, const std::vector<std::vector<Figure>>& runs) {
    std::printf("\nGrowth of ours (and of raw) from %s\n", sizes.front().name);
    std::printf("%-48s", "command");
    for (std::size_t i = 1; i < sizes.size(); ++i)
        std::printf(" %22s", sizes[i].name);
    std::printf("\n");
    for (std::size_t c = 0; c < runs.front().size(); ++c) {
        std::printf("%-48s", runs.front()[c].command.c_str());
        for (std::size_t i = 1; i < runs.size(); ++i)
            std::printf("          %5.2fx (%5.2fx)", runs[i][c].ours / runs.front()[c].ours,
                        runs[i][c].raw / runs.front()[c].raw);
        std::printf("\n");
    }
}

int runAll(const std::vector<CatalogueSize>& sizes) {
    std::printf("Making the 12-megapixel picture...\n");
    const QByteArray jpeg = noisyJpeg({4000, 3000}, 28);
    const std::string picture(jpeg.constData(), static_cast<std::size_t>(jpeg.size()));
    // A card scanned at 150 dpi.
    const QByteArray scan = noisyJpeg({375, 525}, 12);
    const std::string cardPicture(scan.constData(), static_cast<std::size_t>(scan.size()));
    std::printf("A card's scan: %lld bytes\n", static_cast<long long>(scan.size()));
    std::vector<std::vector<Figure>> runs;
    for (const CatalogueSize& size : sizes) {
        std::printf("Making the catalogue of %s...\n", size.name);
        std::fflush(stdout);
        SizedCatalogue catalogue(size.sets, size.cardsPerSet, picture, cardPicture);
        runs.push_back(Session(catalogue).run());
        printFigures(size, runs.back());
    }
    if (runs.size() > 1)
        printGrowth(sizes, runs);
    return 0;
}

} // namespace
} // namespace pellimo

// commands_bench [small]: all three catalogues, or with "small" the first alone.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir temporary; // picture.tmp goes here
    qputenv("TEMP", temporary.path().toLocal8Bit());
    qputenv("TMPDIR", temporary.path().toLocal8Bit());
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::vector<pellimo::CatalogueSize> sizes{{1000, 100, "1,000 sets x 100 cards"},
                                              {10000, 10, "10,000 sets x 10 cards"},
                                              {100000, 10, "100,000 sets x 10 cards"}};
    if (argc > 1 && std::string(argv[1]) == "small")
        sizes.resize(1);
    try {
        return pellimo::runAll(sizes);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "commands_bench: %s\n", failure.what());
        return 1;
    }
}
