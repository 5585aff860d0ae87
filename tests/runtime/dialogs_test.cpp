#include "dialog_rules.h"
#include "engine_error.h"
#include "qt_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace pellimo {
namespace {

// Plays the user: answers the dialogs that open, in order, each step once its kind of dialog is the active
// modal one. A dialog nobody answers is rejected after a few seconds, so a failing test cannot hang.
class ModalScript {
public:
    ModalScript() { schedule(); }

    template <typename Dialog> ModalScript& then(std::function<void(Dialog*)> action) {
        steps_.push_back({[](QWidget* modal) { return qobject_cast<Dialog*>(modal) != nullptr; },
                          [action](QWidget* modal) { action(qobject_cast<Dialog*>(modal)); }});
        return *this;
    }

    bool finished() const { return steps_.empty(); }

private:
    void schedule() {
        // A new single shot each time: a step may open a nested dialog, whose loop must see the next poll.
        QTimer::singleShot(10, &context_, [this] { poll(); });
    }

    void poll() {
        schedule();
        QWidget* modal = QApplication::activeModalWidget();
        if (!steps_.empty() && modal && steps_.front().matches(modal)) {
            // Taken first: the step may open a dialog that the next step answers.
            const Step step = steps_.front();
            steps_.pop_front();
            waited_.restart();
            step.act(modal);
        } else if (modal && waited_.elapsed() > 5000) {
            ADD_FAILURE() << "an unexpected dialog: " << modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    }

    struct Step {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> act;
    };

    std::deque<Step> steps_;
    QElapsedTimer waited_ = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    QObject context_;
};

QLineEdit* fileNameBox(QFileDialog* box) {
    return box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

void click(QMessageBox* box, QMessageBox::StandardButton button) {
    box->button(button)->click();
}

// A box shown is wide enough for its title bar to show its whole title: the title in the title bar's
// font, bold as window managers draw it, beside the window icon and the minimize, maximize and close
// buttons, each about as wide as the title bar is high.
void expectWholeTitleFits(const QWidget* box) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int button = box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box);
    EXPECT_GE(box->width(), QFontMetrics(font).horizontalAdvance(box->windowTitle()) + 4 * button)
        << box->windowTitle().toStdString();
}

TEST(QtMessageBox, FlagsChooseTheButtonsAndTheIcon) {
    struct Case {
        int flags;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton first;
        int answer;
    };
    const Case cases[] = {
        {vbOKOnly, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok, vbOK},
        {vbYesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon, QMessageBox::Yes, vbYes},
        {vbCritical, QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok, vbOK},
        {vbOKCancel + vbQuestion, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question,
         QMessageBox::Ok, vbOK},
        {vbExclamation, QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok, vbOK},
        {vbInformation, QMessageBox::Ok, QMessageBox::Information, QMessageBox::Ok, vbOK},
    };
    QtDialogs dialogs;
    for (const Case& expected : cases) {
        ModalScript user;
        user.then<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(box->standardButtons(), expected.buttons) << expected.flags;
            EXPECT_EQ(box->icon(), expected.icon) << expected.flags;
            EXPECT_EQ(box->defaultButton(), box->button(expected.first)) << expected.flags;
            click(box, expected.first);
        });
        EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Text"), expected.flags, QStringLiteral("Title")),
                  expected.answer);
        EXPECT_TRUE(user.finished());
    }
}

TEST(QtMessageBox, AnswersTheButtonClicked) {
    const std::tuple<int, QMessageBox::StandardButton, int> cases[] = {
        {vbYesNo, QMessageBox::No, vbNo},
        {vbYesNo + vbQuestion, QMessageBox::Yes, vbYes},
        {vbOKCancel + vbQuestion, QMessageBox::Cancel, vbCancel},
    };
    QtDialogs dialogs;
    for (const auto& [flags, button, answer] : cases) {
        ModalScript user;
        user.then<QMessageBox>([button](QMessageBox* box) { click(box, button); });
        EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Sure?"), flags), answer);
    }
}

TEST(QtMessageBox, ShowsTheProgramTitleAndPlainLines) {
    QtDialogs dialogs;
    ModalScript user;
    user.then<QMessageBox>([](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Pellimo"));
            EXPECT_EQ(box->text(), QStringLiteral("Report Generated\n<b>now</b>?"));
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            click(box, QMessageBox::Ok);
        })
        .then<QMessageBox>([](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("No Data"));
            click(box, QMessageBox::Ok);
        })
        .then<QMessageBox>([](QMessageBox* box) {
            expectWholeTitleFits(box);
            click(box, QMessageBox::Ok);
        });
    dialogs.MsgBox(QStringLiteral("Report Generated\r\n<b>now</b>?"));
    dialogs.MsgBox(QStringLiteral("Empty"), vbCritical, QStringLiteral("No Data"));
    // The shortest text under one of the program's longest titles.
    dialogs.MsgBox(QStringLiteral("?"), vbOKOnly, QStringLiteral("New Set of Specials"));
    EXPECT_TRUE(user.finished());
}

TEST(QtInputBox, GivesTheTypedTextOrNothingWhenCancelled) {
    QtDialogs dialogs;
    ModalScript user;
    user.then<QInputDialog>([](QInputDialog* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Find Set"));
            EXPECT_EQ(box->labelText(), QStringLiteral("Enter the set ID you wish to find"));
            box->setTextValue(QStringLiteral("01"));
            box->accept();
        })
        .then<QInputDialog>([](QInputDialog* box) {
            box->setTextValue(QStringLiteral("typed, then cancelled"));
            box->reject();
        })
        .then<QInputDialog>([](QInputDialog* box) {
            expectWholeTitleFits(box);
            box->reject();
        });
    EXPECT_EQ(
        dialogs.InputBox(QStringLiteral("Enter the set ID you wish to find"), QStringLiteral("Find Set")),
        QStringLiteral("01"));
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("Enter the card description you wish to find"),
                               QStringLiteral("Find Card")),
              QString());
    dialogs.InputBox(QStringLiteral("?"), QStringLiteral("New Set of Specials"));
    EXPECT_TRUE(user.finished());
}

// A folder with one existing file, and the dialog settings a caller would make.
class QtFileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QFile file(existing());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        settings.dialogTitle = QStringLiteral("Save HTML Report File");
        settings.filter = QStringLiteral("Report Files (*.HTM) |*.HTM");
        settings.defaultExt = QStringLiteral("HTM");
        settings.initDir = folder.path();
    }
    QString existing() const { return folder.filePath(QStringLiteral("sets.HTM")); }

    static std::function<void(QFileDialog*)> choose(const QString& name) {
        return [name](QFileDialog* box) {
            // Typed, as selectFile leaves a focused name box alone.
            fileNameBox(box)->setText(name);
            QMetaObject::invokeMethod(box, "accept"); // protected in QFileDialog, a slot all the same
        };
    }
    static std::function<void(QMessageBox*)> answer(QMessageBox::StandardButton button,
                                                    QString* text = nullptr) {
        return [button, text](QMessageBox* box) {
            EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            if (text)
                *text = box->text();
            click(box, button);
        };
    }

    QTemporaryDir folder;
    CommonDialog settings;
    QtDialogs dialogs;
};

TEST_F(QtFileDialogs, OpenShowsTheSettingsAndGivesPathAndTitle) {
    settings.dialogTitle = QStringLiteral("Load Picture");
    settings.filter = QStringLiteral("Picture Files (*.jpg; *.gif) |*.jpg;*.gif");
    settings.fileName =
        QStringLiteral("/elsewhere/last report.HTM"); // the start folder is InitDir all the same
    ModalScript user;
    user.then<QFileDialog>([&](QFileDialog* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Load Picture"));
        EXPECT_EQ(box->nameFilters(), QStringList{QStringLiteral(
                                          "Picture Files (*.jpg; *.gif) (*.[jJ][pP][gG] *.[gG][iI][fF])")});
        EXPECT_EQ(box->directory().absolutePath(), QDir(folder.path()).absolutePath());
        EXPECT_EQ(fileNameBox(box)->text(), QStringLiteral("last report.HTM"));
        choose(existing())(box);
    });
    dialogs.ShowOpen(settings);
    EXPECT_TRUE(user.finished());
    EXPECT_EQ(settings.fileName, existing());
    EXPECT_EQ(settings.fileTitle, QStringLiteral("sets.HTM"));
}

TEST_F(QtFileDialogs, CancelFailsWithCancelErrorAndOtherwiseLeavesNoFile) {
    settings.fileName = existing();
    ModalScript user;
    user.then<QFileDialog>([](QFileDialog* box) { box->reject(); }).then<QFileDialog>([](QFileDialog* box) {
        box->reject();
    });
    settings.cancelError = true;
    try {
        dialogs.ShowSave(settings);
        ADD_FAILURE() << "no failure";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.number(), err::DialogCancelled);
        EXPECT_EQ(error.description(), "Cancel was selected.");
    }
    EXPECT_EQ(settings.fileName, existing());
    settings.cancelError = false;
    dialogs.ShowSave(settings);
    EXPECT_EQ(settings.fileName, QString());
    EXPECT_EQ(settings.fileTitle, QString());
    EXPECT_TRUE(user.finished());
}

TEST_F(QtFileDialogs, TypedNameGetsTheDefaultExtension) {
    ModalScript user;
    user.then<QFileDialog>(choose(QStringLiteral("Base Set Basics")));
    dialogs.ShowSave(settings);
    EXPECT_EQ(settings.fileName, folder.filePath(QStringLiteral("Base Set Basics.HTM")));
    EXPECT_EQ(settings.fileTitle, QStringLiteral("Base Set Basics.HTM"));
}

// "small" finds small.jpg where the default extension is "JPG", as it would where names have no case.
TEST_F(QtFileDialogs, TypedNameFindsAFileWhoseExtensionIsTheDefaultInAnotherCase) {
    for (const char* name : {"small.jpg", "report.htm"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    settings.flags = cdlOFNOverwritePrompt + cdlOFNCreatePrompt;
    settings.dialogTitle = QStringLiteral("Load Picture");
    settings.defaultExt = QStringLiteral("JPG");
    ModalScript user;
    user.then<QFileDialog>(choose(QStringLiteral("small")));
    dialogs.ShowOpen(settings); // an open dialog asks only before creating a file
    EXPECT_TRUE(user.finished());
    EXPECT_EQ(settings.fileName, folder.filePath(QStringLiteral("small.jpg")));

    settings.dialogTitle = QStringLiteral("Save HTML Report File");
    settings.defaultExt = QStringLiteral("HTM");
    settings.fileName = QStringLiteral("sets");
    QString question;
    user.then<QFileDialog>(choose(QStringLiteral("report")))
        .then<QMessageBox>(answer(QMessageBox::Yes, &question));
    dialogs.ShowSave(settings);
    EXPECT_TRUE(user.finished());
    EXPECT_TRUE(question.contains(QStringLiteral("report.htm already exists"))) << question.toStdString();
    EXPECT_EQ(settings.fileName, folder.filePath(QStringLiteral("report.htm")));
}

TEST_F(QtFileDialogs, SaveAsksBeforeReplacingAndKeepsTheDialogOpenOnNo) {
    settings.flags = cdlOFNOverwritePrompt + cdlOFNCreatePrompt;
    QString question;
    ModalScript user;
    user.then<QFileDialog>(choose(QStringLiteral("sets")))
        .then<QMessageBox>(answer(QMessageBox::No, &question))
        .then<QFileDialog>(choose(QStringLiteral("sets")))
        .then<QMessageBox>(answer(QMessageBox::Yes));
    dialogs.ShowSave(settings);
    EXPECT_TRUE(user.finished());
    EXPECT_TRUE(question.contains(QStringLiteral("sets.HTM")));
    EXPECT_TRUE(question.contains(QStringLiteral("replace")));
    EXPECT_EQ(settings.fileName, existing());
}

TEST_F(QtFileDialogs, AsksBeforeCreatingAFileThatDoesNotExist) {
    settings.flags = cdlOFNOverwritePrompt + cdlOFNCreatePrompt;
    QString question;
    ModalScript user;
    user.then<QFileDialog>(choose(QStringLiteral("new")))
        .then<QMessageBox>(answer(QMessageBox::No, &question))
        .then<QFileDialog>([](QFileDialog* box) { box->reject(); })
        .then<QFileDialog>(choose(QStringLiteral("new")))
        .then<QMessageBox>(answer(QMessageBox::Yes));
    dialogs.ShowOpen(settings);
    EXPECT_TRUE(question.contains(QStringLiteral("new.HTM")));
    EXPECT_TRUE(question.contains(QStringLiteral("create")));
    EXPECT_EQ(settings.fileName, QString()); // declined, then cancelled
    dialogs.ShowSave(settings);
    EXPECT_TRUE(user.finished());
    EXPECT_EQ(settings.fileName, folder.filePath(QStringLiteral("new.HTM")));
}

TEST_F(QtFileDialogs, OpenNeverAsksBeforeReplacing) {
    settings.flags = cdlOFNOverwritePrompt + cdlOFNCreatePrompt;
    ModalScript user;
    user.then<QFileDialog>(choose(QStringLiteral("sets.HTM")));
    dialogs.ShowOpen(settings);
    EXPECT_TRUE(user.finished());
    EXPECT_EQ(settings.fileName, existing());
}

TEST(DialogRules, DefaultExtensionOnlyForANameWithoutOne) {
    EXPECT_EQ(withDefaultExtension(QStringLiteral("/a.b/report"), QStringLiteral("HTM")),
              QStringLiteral("/a.b/report.HTM"));
    EXPECT_EQ(withDefaultExtension(QStringLiteral("/a/card.gif"), QStringLiteral("JPG")),
              QStringLiteral("/a/card.gif"));
    EXPECT_EQ(withDefaultExtension(QStringLiteral("/a/card"), QString()), QStringLiteral("/a/card"));
}

TEST(QtMousePointer, HourglassIsOneOverrideCursorNeverStacked) {
    {
        QtDialogs dialogs;
        dialogs.setMousePointer(MousePointerHourglass);
        dialogs.setMousePointer(MousePointerHourglass);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        EXPECT_EQ(dialogs.mousePointer(), MousePointerHourglass);
        dialogs.setMousePointer(MousePointerDefault);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(dialogs.mousePointer(), MousePointerDefault);
        dialogs.setMousePointer(MousePointerDefault);
        dialogs.setMousePointer(MousePointerHourglass);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // an hourglass left on goes with the dialogs
}

} // namespace
} // namespace pellimo
