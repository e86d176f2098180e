// The preview in the main window: "Play" and "Stop", the end of a sound noticed by Timer1,
// the selection leaving the buttons alone while a preview is loaded, files that are gone
// or hold no sound, and a real click on "Play".

#include "FullUnwindUnderSanitizer.h"
#include "SoundFiles.h"
#include "TestSupport.h"
#include "browser/Window1.h"
#include "files/FolderItem.h"
#include "files/Volumes.h"
#include "shell/Startup.h"
#include "sound/Sound.h"
#include "ui/EditField.h"
#include "ui/Listbox.h"
#include "ui/PushButton.h"
#include "ui/StaticText.h"
#include "ui/Timer.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdio>


using namespace platform;
using parvolin::Window1;

namespace {

class PreviewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testsupport::withoutSoundDevice();
        files = new testsupport::SoundFiles();
        // Long enough to be still playing whatever a test does meanwhile.
        longTone = files->encodeTone("long.wav", "wavenc", 30000);
        shortTone = files->encodeTone("short.mp3", "lamemp3enc", 1000);
        aacTone = files->encodeTone("tone.m4a", "avenc_aac ! mp4mux", 1000);
    }
    static void TearDownTestSuite()
    {
        delete files;
        files = nullptr;
    }

    void SetUp() override
    {
        ASSERT_FALSE(longTone.empty());
        ASSERT_FALSE(shortTone.empty());
        ASSERT_FALSE(aacTone.empty());
        // The files' folder is a mounted volume of its own, as a player is.
        const std::string volume = QFileInfo(QString::fromStdString(longTone)).absolutePath().toStdString();
        previousVolumes = setVolumeSource([volume] { return std::vector<std::string>{"/", volume}; });
        volumeName = platform::volumeName(volume).bytes();

        parvolin::initializeClassRecords();
        window = Window1::instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->widget()));
        list = control<Listbox>("ListBox1");
        playBtn = control<PushButton>("playBtn");
        copyBtn = control<PushButton>("copyBtn");
    }

    void TearDown() override
    {
        if (window)
            window->Close();
        window.reset();
        releaseWindowLists();
        setVolumeSource(std::move(previousVolumes));
    }

    template <class C>
    Ref<C> control(const char* name)
    {
        Ref<C> found = RuntimeWindowControlByName<C>(Ref<Window>(window), name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    // A row as the file listing makes it: the name, and the file's colon path in the hidden
    // fourth column.
    std::int32_t addFile(const std::string& path)
    {
        list->AddRow(Text(QFileInfo(QString::fromStdString(path)).fileName().toStdString()));
        list->setCell(list->LastIndex(), 3, FolderItem::forNativePath(path)->AbsolutePath());
        return list->LastIndex();
    }
    std::int32_t addPath(const Text& colonPath)
    {
        list->AddRow(Text("listed"));
        list->setCell(list->LastIndex(), 3, colonPath);
        return list->LastIndex();
    }

    // A press on the button as the user makes it: nothing happens while it is disabled.
    void press() { static_cast<QPushButton*>(playBtn->widget())->click(); }

    Text caption() const { return playBtn->Caption(); }
    bool playing() const { return window->SoundName && window->SoundName->IsPlaying(); }
    std::string previewedFile() const { return window->soundFile ? window->soundFile->nativePath() : std::string(); }
    std::size_t reportCount() const { return reports.reports().size(); }

    static testsupport::SoundFiles* files;
    static std::string longTone, shortTone, aacTone;

    VolumeSource previousVolumes;
    std::string volumeName;
    testsupport::ReportCatcher reports;
    Ref<Window1> window;
    Ref<Listbox> list;
    Ref<PushButton> playBtn, copyBtn;
};

testsupport::SoundFiles* PreviewTest::files = nullptr;
std::string PreviewTest::longTone, PreviewTest::shortTone, PreviewTest::aacTone;

} // namespace

// ---- Play and Stop ---------------------------------------------------------------------------

TEST_F(PreviewTest, PlayThenStopWithTheRowStillSelected)
{
    addFile(shortTone);
    list->setListIndex(addFile(longTone));
    ASSERT_TRUE(playBtn->Enabled());
    EXPECT_EQ(caption(), Text("Play"));

    press();
    EXPECT_EQ(caption(), Text("Stop"));
    EXPECT_EQ(previewedFile(), longTone) << "the selected row's file";
    const Ref<Sound> started = window->SoundName;
    EXPECT_TRUE(playing());

    press();
    EXPECT_EQ(caption(), Text("Play"));
    EXPECT_FALSE(window->soundFile);
    EXPECT_FALSE(started->IsPlaying());
    EXPECT_EQ(window->SoundName, started) << "the stopped sound stays";
    EXPECT_TRUE(playBtn->Enabled()) << "a row is still selected";
    EXPECT_EQ(reportCount(), 0u);
}

TEST_F(PreviewTest, StopWithNoRowSelectedDisablesPlay)
{
    list->setListIndex(addFile(longTone));
    press();
    ASSERT_TRUE(playing());
    list->setListIndex(-1);
    EXPECT_TRUE(playBtn->Enabled()) << "the selection leaves the button alone while playing";

    press();
    EXPECT_FALSE(playing());
    EXPECT_EQ(caption(), Text("Play"));
    EXPECT_FALSE(playBtn->Enabled());
    EXPECT_EQ(reportCount(), 0u);
}

TEST_F(PreviewTest, SelectionChangesWhilePlayingChangeNoButtonAndStopStopsTheStartedSound)
{
    control<EditField>("copyTo")->setText(Text("Computer:tmp:"));
    const std::int32_t first = addFile(longTone);
    const std::int32_t second = addFile(shortTone);
    list->setListIndex(first);
    ASSERT_TRUE(playBtn->Enabled());
    ASSERT_TRUE(copyBtn->Enabled());
    press();
    const Ref<Sound> started = window->SoundName;
    ASSERT_TRUE(started->IsPlaying());

    list->setListIndex(second);
    list->setListIndex(-1);
    EXPECT_TRUE(playBtn->Enabled());
    EXPECT_TRUE(copyBtn->Enabled()) << "no row selected, yet the preview keeps the buttons";
    list->setSelected(first, true);
    list->setSelected(second, true);
    EXPECT_TRUE(playBtn->Enabled());
    EXPECT_TRUE(copyBtn->Enabled());
    EXPECT_EQ(caption(), Text("Stop"));

    press();
    EXPECT_FALSE(started->IsPlaying());
    EXPECT_EQ(window->SoundName, started);
    EXPECT_EQ(reportCount(), 0u);
}

TEST_F(PreviewTest, ASoundThatEndsByItselfLeavesThePreviewLoaded)
{
    const std::int32_t shortRow = addFile(shortTone);
    const std::int32_t longRow = addFile(aacTone);
    list->setListIndex(shortRow);
    press();
    const Ref<Sound> started = window->SoundName;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !started->IsPlaying(); }, 5000));
    // Timer1 looks every three seconds; the caption turns at its next tick.
    EXPECT_TRUE(QTest::qWaitFor([&] { return caption() == Text("Play"); }, 5000));
    EXPECT_EQ(previewedFile(), shortTone) << "the end of the sound does not unload the preview";

    list->setListIndex(-1);
    EXPECT_TRUE(playBtn->Enabled()) << "a loaded preview keeps the buttons";
    EXPECT_FALSE(copyBtn->Enabled());

    // With no row selected there is nothing to play: the press changes nothing.
    press();
    EXPECT_EQ(caption(), Text("Play"));
    EXPECT_EQ(previewedFile(), shortTone);
    EXPECT_EQ(window->SoundName, started);

    // The next press plays the row selected now.
    list->setListIndex(longRow);
    press();
    EXPECT_EQ(caption(), Text("Stop"));
    EXPECT_EQ(previewedFile(), aacTone);
    EXPECT_NE(window->SoundName, started);
    EXPECT_TRUE(playing());
    EXPECT_EQ(reportCount(), 0u);
}

TEST_F(PreviewTest, StopThenPlayOpensTheFileAnew)
{
    list->setListIndex(addFile(longTone));
    press();
    const Ref<Sound> first = window->SoundName;
    press();
    press();
    EXPECT_EQ(caption(), Text("Stop"));
    EXPECT_NE(window->SoundName, first) << "a new sound";
    EXPECT_TRUE(playing());
    EXPECT_FALSE(first->IsPlaying());
}

// ---- Files that cannot be played --------------------------------------------------------------

// Each such press is reported with the file and the reason; the caption stays "Play", the
// next tick of Timer1 runs quietly, and a sound plays afterwards.
TEST_F(PreviewTest, FilesThatAreGoneOrHoldNoSoundAreReportedAndThePreviewGoesOn)
{
    const std::string gone = files->writeBytes("gone.mp3", "ID3");
    struct Case {
        const char* what;
        std::int32_t row;
        const char* named; // in the report
        const char* because;
        bool loaded; // the preview is left loaded, without a sound
    };
    const Case cases[] = {
        {"text", addFile(files->writeBytes("notes.mp3", "Track 1\nTrack 2\n")), "notes.mp3", "as a sound", true},
        {"empty file", addFile(files->writeBytes("empty.m4a", "")), "empty.m4a", "as a sound", true},
        {"picture", addFile(files->writePng("cover.m4a")), "cover.m4a", "as a sound", true},
        {"file deleted after the listing", addFile(gone), "gone.mp3", "does not exist", true},
        {"folder that is not there", addPath(Text(volumeName + ":F99:ABCD.mp3")), "F99:ABCD.mp3", "cannot be found",
         false},
        {"empty path", addPath(Text("")), "\"\"", "cannot be found", false},
    };
    ASSERT_EQ(std::remove(gone.c_str()), 0);
    const Ref<Timer> timer1 = control<Timer>("Timer1");

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list->setListIndex(c.row);
        ASSERT_TRUE(playBtn->Enabled());
        const std::size_t before = reportCount();
        press();
        ASSERT_EQ(reportCount(), before + 1);
        const ExceptionReport& report = reports.reports().back();
        EXPECT_FALSE(report.fatal) << "the program goes on";
        EXPECT_NE(report.message.find(c.named), std::string::npos) << report.message;
        EXPECT_NE(report.message.find(c.because), std::string::npos) << report.message;
        EXPECT_EQ(caption(), Text("Play"));
        EXPECT_FALSE(window->SoundName);
        EXPECT_EQ(bool(window->soundFile), c.loaded);

        timer1->raise("Action");
        EXPECT_EQ(reportCount(), before + 1) << "a tick with no sound is quiet";
        EXPECT_EQ(caption(), Text("Play"));
    }

    list->setListIndex(addFile(shortTone));
    press();
    EXPECT_EQ(caption(), Text("Stop"));
    EXPECT_TRUE(playing());
}

TEST_F(PreviewTest, PlayWithNoRowSelectedDoesNothing)
{
    addFile(longTone);
    // The list can lose its selection without the Change event that would disable the button.
    playBtn->setEnabled(true);
    press();
    EXPECT_EQ(caption(), Text("Play"));
    EXPECT_FALSE(window->soundFile);
    EXPECT_FALSE(window->SoundName);
    EXPECT_EQ(reportCount(), 0u) << "nothing was read outside the list";
}

// ---- The button under the pointer -----------------------------------------------------------

// The count line lies over the lower part of "Play"; a press at the button's centre still
// reaches the button.
TEST_F(PreviewTest, ARealClickAtTheCentreOfPlayReachesTheButton)
{
    list->setListIndex(addFile(longTone));
    QWidget* content = window->content();
    const QPoint centre = playBtn->widget()->geometry().center();
    ASSERT_TRUE(control<StaticText>("iPodFiles")->widget()->geometry().contains(centre));
    EXPECT_EQ(content->childAt(centre), playBtn->widget());

    // Through the window, which hands the click to the widget under the pointer.
    QTest::mouseClick(content->window()->windowHandle(), Qt::LeftButton, {}, content->mapTo(content->window(), centre));
    EXPECT_EQ(caption(), Text("Stop"));
    EXPECT_TRUE(playing());
}
