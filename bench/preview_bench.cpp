// From a press on "Play" in the main window to the sound really playing: the button's click
// runs playBtn_Action, which resolves the selected row's path, opens the file and plays it;
// measured until the player is in PLAYING and its position moves. For MP3 and M4A (AAC),
// the first press in a fresh process (GStreamer and its plug-ins are loaded then) and later
// presses (Stop, then Play again) in one process, compared with a reference in the same
// run: a bare playbin told to play the same file.
// Run: preview_bench [runs]. Plays to the desktop's sound device when there is one.

#include "Playing.h"
#include "SoundFiles.h"
#include "browser/Window1.h"
#include "files/FolderItem.h"
#include "files/Volumes.h"
#include "framework/Framework.h"
#include "runtime/EventLoop.h"
#include "shell/Startup.h"
#include "sound/Playback.h"
#include "sound/Sound.h"
#include "ui/Listbox.h"
#include "ui/PushButton.h"
#include "ui/Window.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace bench;
using platform::Ref;

// The main window with one row for the file, selected, on a volume that holds the file.
class Preview {
public:
    explicit Preview(const std::string& path)
    {
        const std::string volume = QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
        platform::setVolumeSource([volume] { return std::vector<std::string>{"/", volume}; });
        window_ = parvolin::Window1::instance();
        const Ref<platform::Window> window(window_);
        list_ = platform::RuntimeWindowControlByName<platform::Listbox>(window, "ListBox1");
        button_ = platform::RuntimeWindowControlByName<platform::PushButton>(window, "playBtn");
        list_->AddRow(platform::Text("tone"));
        list_->setCell(list_->LastIndex(), 3, platform::FolderItem::forNativePath(path)->AbsolutePath());
        list_->setListIndex(list_->LastIndex());
    }

    // Milliseconds from the press on "Play" until the sound plays, then "Stop"; -1 when it
    // did not play.
    double press()
    {
        auto* qbutton = static_cast<QPushButton*>(button_->widget());
        const auto start = Clock::now();
        qbutton->click();
        const Ref<platform::Sound> sound = window_->SoundName;
        const bool playing = sound && window_->soundFile && waitUntilPlaying(sound->playback()->pipeline());
        const double elapsed = millisecondsSince(start);
        if (button_->Caption() == platform::Text("Stop"))
            qbutton->click();
        return playing ? elapsed : -1;
    }

private:
    Ref<parvolin::Window1> window_;
    Ref<platform::Listbox> list_;
    Ref<platform::PushButton> button_;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::RuntimeInit(parvolin::kProgramName);
    platform::initializeFrameworkClasses();
    parvolin::initializeClassRecords();

    if (argc == 4 && std::strcmp(argv[1], "--first") == 0) {
        const double elapsed = std::strcmp(argv[2], "bare") == 0 ? playBare(argv[3]) : Preview(argv[3]).press();
        std::printf("%.3f\n", elapsed);
        // The windows go while Qt is still there, as at the program's own end.
        platform::releaseWindowLists();
        return elapsed < 0 ? 1 : 0;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    testsupport::SoundFiles files;
    struct Format {
        const char* name;
        std::string path;
    };
    const Format formats[] = {
        {"MP3", files.encodeTone("tone.mp3", "lamemp3enc", 3000)},
        {"M4A", files.encodeTone("tone.m4a", "avenc_aac ! mp4mux", 3000)},
    };
    for (const Format& format : formats)
        if (format.path.empty()) {
            std::fprintf(stderr, "could not make the %s file\n", format.name);
            return 1;
        }

    std::printf("a press on \"Play\" until the sound plays (median of %d)\n", runs);
    std::printf("first press in a fresh process:\n");
    for (const Format& format : formats) {
        std::vector<double> ours, bare;
        for (int i = 0; i < runs; ++i) {
            ours.push_back(runChild(QStringLiteral("preview"), format.path));
            bare.push_back(runChild(QStringLiteral("bare"), format.path));
        }
        report(format.name, median(ours), median(bare), 400);
    }
    std::printf("later presses in one process:\n");
    for (const Format& format : formats) {
        Preview preview(format.path);
        std::vector<double> ours, bare;
        preview.press();
        for (int i = 0; i < runs; ++i) {
            ours.push_back(preview.press());
            bare.push_back(playBare(format.path));
        }
        report(format.name, median(ours), median(bare), 150);
    }
    platform::releaseWindowLists();
    return 0;
}
