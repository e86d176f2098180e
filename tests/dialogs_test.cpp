// Modal messages and questions, and what the folder chooser leaves behind. (How the main
// window uses the chooser is tested in destination_test.)

#include "ModalAnswer.h"
#include "TestSupport.h"
#include "dialogs/Dialogs.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace platform;
using testsupport::ModalAnswer;

namespace {

// What a message box showed when it was answered.
struct Shown {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

Shown seen(const QMessageBox& box)
{
    return Shown{box.windowTitle(), box.text(), box.icon(), box.standardButtons()};
}

} // namespace

TEST(MsgBox, AQuestionWithCode36AsksYesOrNoAndGivesSixOrSeven)
{
    enum class Answer { Yes, No, Escape };
    struct Case {
        Answer answer;
        std::int32_t expected;
    };
    const Case cases[] = {
        {.answer = Answer::Yes, .expected = 6},
        {.answer = Answer::No, .expected = 7},
        {.answer = Answer::Escape, .expected = 7}, // Escape and the close box mean No
    };
    for (const Case& c : cases) {
        Shown shown;
        ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
            shown = seen(box);
            if (c.answer == Answer::Escape)
                QTest::keyClick(&box, Qt::Key_Escape);
            else
                box.button(c.answer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        const std::int32_t result = MsgBox(Text("Copy all\r\rAre you sure?"), 36, Text());
        ASSERT_EQ(answer.answered(), 1);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(shown.icon, QMessageBox::Question);
        EXPECT_EQ(shown.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(shown.text, "Copy all\n\nAre you sure?");
        EXPECT_EQ(shown.title, "dialogs_test"); // an empty title shows the program's name: its executable's
    }
}

TEST(MsgBox, APlainMessageShowsItsLinesAsWrittenWithOnlyAnOkButton)
{
    Shown shown;
    ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
        shown = seen(box);
        box.button(QMessageBox::Ok)->click();
    });
    const Text cr = Chr(13);
    MsgBox(Text("Copy aborted.") + cr + cr + "Copy progress stopped." + cr + "7 files where copied succesfully.");
    ASSERT_EQ(answer.answered(), 1);
    EXPECT_EQ(shown.text.split('\n'), (QStringList{"Copy aborted.", "", "Copy progress stopped.",
                                                  "7 files where copied succesfully."}));
    EXPECT_EQ(shown.buttons, QMessageBox::Ok);
    EXPECT_EQ(shown.icon, QMessageBox::NoIcon);

    // Names and paths in a message are never read as markup.
    QString label;
    ModalAnswer<QMessageBox> again([&](QMessageBox& box) {
        label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        box.accept();
    });
    EXPECT_EQ(MsgBox(Text("Copy to <b>Music</b>?"), 0, Text("Title")), 1);
    EXPECT_EQ(label, "Copy to <b>Music</b>?");
}

TEST(MsgBox, CodesThisDesktopDoesNotOfferAreRefusedNamingTheCode)
{
    // OK and Cancel, Yes/No/Cancel, the stop and caution icons, a second default button, and
    // a code that is no code at all.
    for (const std::int32_t code : {1, 3, 16, 48, 36 + 256, -1}) {
        ModalAnswer<QMessageBox> unexpected([](QMessageBox& box) { box.reject(); });
        try {
            MsgBox(Text("Question"), code, Text());
            ADD_FAILURE() << "code " << code << " was shown";
        } catch (const UnsupportedOperation& refused) {
            EXPECT_NE(std::string(refused.what()).find(std::to_string(code)), std::string::npos) << refused.what();
        }
        EXPECT_EQ(unexpected.answered(), 0) << code;
    }
}

TEST(MsgBox, AQuestionWhoseWindowGoesAwayWhileItIsOpenAnswersNo)
{
    auto* window = new QWidget;
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QWidget* parent = nullptr;
    ModalAnswer<QMessageBox> answer([&](QMessageBox& box) {
        parent = box.parentWidget();
        delete window; // and the message box with it
    });
    EXPECT_EQ(MsgBox(Text("Copy all?"), 36, Text()), 7);
    ASSERT_EQ(answer.answered(), 1);
    EXPECT_EQ(parent, window); // it stood over the active window
}

TEST(FolderChooser, LeavesNoSettingsOfItsOwnBehind)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/QtProject.conf");
    QFile::remove(settings);
    const Ref<SelectFolderDialog> chooser = RuntimeNewObject<SelectFolderDialog>();
    ModalAnswer<QFileDialog> cancel([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(chooser->ShowModal());
    EXPECT_EQ(cancel.answered(), 1);
    EXPECT_FALSE(QFile::exists(settings)) << "the program keeps no settings";
}
