// From a press on "Play" in the main window to the sound really playing: the button's click
// runs playBtn_Action, which resolves the selected row's path, opens the file and plays it;
// measured until the player is in PLAYING and its position moves. For MP3 and M4A (AAC),
// the first press in a fresh process (GStreamer and its plug-ins are loaded then) and later
// presses (Stop, then Play again) in one process, compared with a reference in the same
// run: a bare playbin told to play the same file.
// Run: preview_bench [runs]. Plays to the desktop's sound device when there is one.

#include "Playing.h"
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

#include <memory>

#include <string>

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
    platform::RuntimeInit();
    platform::initializeFrameworkClasses();
    parvolin::initializeClassRecords();
    const int status = runPressBenchmark(argc, argv, "a press on \"Play\" until the sound plays",
                                         [](const std::string& path) -> Presser {
                                             auto preview = std::make_shared<Preview>(path);
                                             return [preview] { return preview->press(); };
                                         });
    // The windows go while Qt is still there, as at the program's own end.
    platform::releaseWindowLists();
    return status;
}
