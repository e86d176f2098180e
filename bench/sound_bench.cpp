// From a press on "Play" to the sound really playing: OpenAsSound and Play, until the player
// is in PLAYING and its position moves. Measured for MP3 and M4A (AAC), the first time in a
// fresh process (GStreamer and its plug-ins are loaded then) and the later times in one
// process, and compared with a reference in the same run: a bare playbin told to play the
// same file into a real-time sink, with no check of the file and no choice of output.
// Run: sound_bench [runs]. Plays to the desktop's sound device when there is one.

#include "Playing.h"
#include "files/FolderItem.h"
#include "sound/Playback.h"
#include "sound/Sound.h"

#include <QCoreApplication>

#include <string>

namespace {

using namespace bench;

double pressPlay(const std::string& path)
{
    const auto start = Clock::now();
    platform::Ref<platform::Sound> sound = platform::OpenAsSound(*platform::FolderItem::forNativePath(path));
    if (!sound)
        return -1;
    sound->Play();
    const bool playing = waitUntilPlaying(sound->playback()->pipeline());
    const double elapsed = millisecondsSince(start);
    sound->Stop();
    return playing ? elapsed : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return runPressBenchmark(argc, argv, "OpenAsSound + Play until the sound plays",
                             [](const std::string& path) -> Presser { return [path] { return pressPlay(path); }; });
}
