// The destination folder and the state of the Play and Copy buttons on the main window.

#include "ModalAnswer.h"
#include "TestSupport.h"
#include "browser/Window1.h"
#include "files/Files.h"
#include "shell/Startup.h"
#include "ui/EditField.h"
#include "ui/Keyboard.h"
#include "ui/Listbox.h"
#include "ui/PushButton.h"
#include "ui/Timer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <utility>

using namespace platform;
using parvolin::Window1;
using testsupport::ModalAnswer;

namespace {

// The Option key as the test holds it.
class OptionKey {
public:
    OptionKey() : previous_(Keyboard::setOptionKeySource([this] { return down; })) {}
    ~OptionKey() { Keyboard::setOptionKeySource(std::move(previous_)); }
    OptionKey(const OptionKey&) = delete;
    OptionKey& operator=(const OptionKey&) = delete;

    bool down = false;

private:
    Keyboard::KeySource previous_;
};

// Closing the main window quits the event loop. A test that closed one leaves that quit
// pending, and every modal dialog after it would return at once; one turn of the
// application's own loop takes it.
void clearPendingQuit()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
    QApplication::exec();
}

class DestinationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QStandardPaths::setTestModeEnabled(true); }

    void SetUp() override
    {
        clearPendingQuit();
        parvolin::initializeClassRecords();
        window = Window1::instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->widget()));
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
            list()->AddRow(Text(name));
    }
    void TearDown() override
    {
        if (window)
            window->Close();
        window.reset();
        releaseWindowLists();
    }

    template <class C>
    Ref<C> control(const char* name)
    {
        return RuntimeWindowControlByName<C>(Ref<Window>(window), name);
    }
    Ref<PushButton> playBtn() { return control<PushButton>("playBtn"); }
    Ref<PushButton> copyBtn() { return control<PushButton>("copyBtn"); }
    Ref<Listbox> list() { return control<Listbox>("ListBox1"); }
    Ref<EditField> copyTo() { return control<EditField>("copyTo"); }

    // Timer2's ticks are given by hand in the table of rules.
    void stopTimer2() { control<Timer>("Timer2")->setMode(Timer::kModeOff); }
    void tickTimer2() { control<Timer>("Timer2")->raise("Action"); }

    void loadPreview() { window->soundFile = FolderItem::forNativePath("/music/preview.mp3"); }

    // Clicks "Copy to:" and answers the chooser with `answer`; returns where it opened.
    QString chooseDestination(const std::function<void(QFileDialog&)>& answer)
    {
        QString openedAt;
        ModalAnswer<QFileDialog> chooser([&](QFileDialog& dialog) {
            openedAt = dialog.directory().absolutePath();
            answer(dialog);
        });
        qobject_cast<QPushButton*>(control<PushButton>("copyToBtn")->widget())->click();
        EXPECT_EQ(chooser.answered(), 1);
        return openedAt;
    }
    static void choose(QFileDialog& dialog, const QString& folder)
    {
        dialog.selectFile(folder);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
    }

    testsupport::ReportCatcher reports;
    Ref<Window1> window;
};

} // namespace

TEST_F(DestinationTest, ButtonsFollowEveryRuleOfSelectionDestinationPreviewAndOptionKey)
{
    enum class Step { SelectRow, ClearSelection, SetDestination, TickOptionDown, TickOptionUp };
    struct Case {
        const char* rule;
        bool rowSelected = false;
        bool destination = false;
        bool preview = false;
        bool playBefore = false;
        bool copyBefore = false;
        const char* captionBefore = "Copy";
        Step step;
        bool play;
        bool copy;
        const char* caption = "Copy";
    };
    const Case cases[] = {
        {.rule = "a row without destination enables Play only", .step = Step::SelectRow, .play = true, .copy = false},
        {.rule = "a row with destination enables both", .destination = true, .step = Step::SelectRow, .play = true,
         .copy = true},
        {.rule = "no row disables both", .rowSelected = true, .destination = true, .playBefore = true,
         .copyBefore = true, .step = Step::ClearSelection, .play = false, .copy = false},
        {.rule = "no row disables Copy also after Option enabled it", .rowSelected = true, .destination = true,
         .playBefore = true, .copyBefore = true, .captionBefore = "Copy All", .step = Step::ClearSelection,
         .play = false, .copy = false, .caption = "Copy All"},
        {.rule = "with a preview, clearing the selection changes nothing", .rowSelected = true, .destination = true,
         .preview = true, .playBefore = true, .copyBefore = true, .step = Step::ClearSelection, .play = true,
         .copy = true},
        {.rule = "with a preview, selecting a row changes nothing", .destination = true, .preview = true,
         .step = Step::SelectRow, .play = false, .copy = false},
        {.rule = "a destination with a row selected enables Copy", .rowSelected = true, .playBefore = true,
         .step = Step::SetDestination, .play = true, .copy = true},
        {.rule = "a destination without a row leaves Copy disabled", .step = Step::SetDestination, .play = false,
         .copy = false},
        {.rule = "a destination acts also while a preview is loaded", .rowSelected = true, .preview = true,
         .playBefore = true, .step = Step::SetDestination, .play = true, .copy = true},
        {.rule = "a new destination never disables Copy", .destination = true, .copyBefore = true,
         .step = Step::SetDestination, .play = false, .copy = true},
        {.rule = "Option with a destination reads Copy All and enables it, with no row", .destination = true,
         .step = Step::TickOptionDown, .play = false, .copy = true, .caption = "Copy All"},
        {.rule = "Option with a destination enables it also during a preview", .destination = true, .preview = true,
         .step = Step::TickOptionDown, .play = false, .copy = true, .caption = "Copy All"},
        {.rule = "Option without a destination only changes the caption", .rowSelected = true, .playBefore = true,
         .step = Step::TickOptionDown, .play = true, .copy = false, .caption = "Copy All"},
        {.rule = "Option released reads Copy and leaves Copy enabled", .destination = true, .copyBefore = true,
         .captionBefore = "Copy All", .step = Step::TickOptionUp, .play = false, .copy = true},
        {.rule = "Option released leaves a disabled Copy disabled", .destination = true,
         .captionBefore = "Copy All", .step = Step::TickOptionUp, .play = false, .copy = false},
    };

    stopTimer2();
    OptionKey option;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        // The state before the step; the handlers that run while it is set up are
        // overruled by the button states the case starts from.
        window->soundFile.reset();
        list()->setListIndex(-1);
        copyTo()->setText(c.destination ? Text("Disk:Copies " + std::to_string(n) + ":") : Text());
        if (c.rowSelected)
            list()->setListIndex(1);
        if (c.preview)
            loadPreview();
        playBtn()->setEnabled(c.playBefore);
        copyBtn()->setEnabled(c.copyBefore);
        copyBtn()->setCaption(Text(c.captionBefore));

        switch (c.step) {
        case Step::SelectRow:
            list()->setListIndex(2);
            break;
        case Step::ClearSelection:
            list()->setListIndex(-1);
            break;
        case Step::SetDestination:
            copyTo()->setText(Text("Disk:Elsewhere " + std::to_string(n) + ":"));
            break;
        case Step::TickOptionDown:
        case Step::TickOptionUp:
            option.down = c.step == Step::TickOptionDown;
            tickTimer2();
            break;
        }
        EXPECT_EQ(playBtn()->Enabled(), c.play);
        EXPECT_EQ(copyBtn()->Enabled(), c.copy);
        EXPECT_EQ(copyBtn()->Caption(), Text(c.caption));
        ++n;
    }
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(DestinationTest, HoldingAndReleasingOptionSwitchesTheCaptionAtTheNextTicks)
{
    OptionKey option;
    copyTo()->setText("Disk:Copies:");
    ASSERT_FALSE(copyBtn()->Enabled()); // a destination, but no row

    option.down = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return copyBtn()->Caption() == Text("Copy All"); }, 5000));
    EXPECT_TRUE(copyBtn()->Enabled());

    option.down = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return copyBtn()->Caption() == Text("Copy"); }, 5000));
    EXPECT_TRUE(copyBtn()->Enabled());
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(DestinationTest, TheChooserAsksForTheDestinationAtTheDesktopEveryTime)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(elsewhere.isValid());
    const QString desktop = QDir(QString::fromStdString(SpecialFolderDesktop()->nativePath())).canonicalPath();
    ASSERT_NE(desktop, QDir(elsewhere.path()).canonicalPath());

    QString title, prompt, caption;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    const QString first = chooseDestination([&](QFileDialog& dialog) {
        mode = dialog.fileMode();
        title = dialog.windowTitle();
        caption = dialog.labelText(QFileDialog::Accept);
        if (auto* label = dialog.findChild<QLabel*>(QStringLiteral("prompt")))
            prompt = label->text();
        choose(dialog, elsewhere.path());
    });
    EXPECT_EQ(title, "Parvolin");
    EXPECT_EQ(prompt, "Please select the destination folder");
    EXPECT_EQ(caption, "Select as destination");
    EXPECT_EQ(mode, QFileDialog::Directory); // one existing folder
    EXPECT_EQ(QDir(first).canonicalPath(), desktop);
    EXPECT_EQ(copyTo()->Text(), FolderItem::forNativePath(elsewhere.path().toStdString())->AbsolutePath());

    // After a choice elsewhere the chooser opens at the Desktop again.
    const QString second = chooseDestination([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(QDir(second).canonicalPath(), desktop);
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(DestinationTest, ChoosingSetsTheDestinationAndCancellingKeepsIt)
{
    QTemporaryDir first, second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    stopTimer2();
    list()->setListIndex(0);
    ASSERT_FALSE(copyBtn()->Enabled());

    // The chosen path goes into the field, whose change enables Copy for the selected row.
    chooseDestination([&](QFileDialog& dialog) { choose(dialog, first.path()); });
    const Text chosen = FolderItem::forNativePath(first.path().toStdString())->AbsolutePath();
    EXPECT_EQ(copyTo()->Text(), chosen);
    EXPECT_TRUE(copyBtn()->Enabled());

    // Cancelling changes nothing and raises nothing: Copy, disabled by hand, stays so.
    copyBtn()->setEnabled(false);
    chooseDestination([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(copyTo()->Text(), chosen);
    EXPECT_FALSE(copyBtn()->Enabled());

    // A later choice replaces the destination.
    chooseDestination([&](QFileDialog& dialog) { choose(dialog, second.path()); });
    EXPECT_EQ(copyTo()->Text(), FolderItem::forNativePath(second.path().toStdString())->AbsolutePath());
    EXPECT_TRUE(reports.reports().empty());
}
