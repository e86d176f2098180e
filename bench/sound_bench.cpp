// From a press on "Play" to the sound really playing: OpenAsSound and Play, until the player
// is in PLAYING and its position moves. Measured for MP3 and M4A (AAC), the first time in a
// fresh process (GStreamer and its plug-ins are loaded then) and the later times in one
// process, and compared with a reference in the same run: a bare playbin told to play the
// same file into a real-time sink, with no check of the file and no choice of output.
// Run: sound_bench [runs]. Plays to the desktop's sound device when there is one.

#include "Playing.h"
#include "SoundFiles.h"
#include "files/FolderItem.h"
#include "sound/Playback.h"
#include "sound/Sound.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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
    if (argc == 4 && std::strcmp(argv[1], "--first") == 0) {
        const double elapsed = std::strcmp(argv[2], "bare") == 0 ? playBare(argv[3]) : pressPlay(argv[3]);
        std::printf("%.3f\n", elapsed);
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

    std::printf("OpenAsSound + Play until the sound plays (median of %d)\n", runs);
    std::printf("first press in a fresh process:\n");
    for (const Format& format : formats) {
        std::vector<double> ours, bare;
        for (int i = 0; i < runs; ++i) {
            ours.push_back(runChild(QStringLiteral("sound"), format.path));
            bare.push_back(runChild(QStringLiteral("bare"), format.path));
        }
        report(format.name, median(ours), median(bare), 400);
    }
    std::printf("later presses in one process:\n");
    for (const Format& format : formats) {
        std::vector<double> ours, bare;
        pressPlay(format.path);
        for (int i = 0; i < runs; ++i) {
            ours.push_back(pressPlay(format.path));
            bare.push_back(playBare(format.path));
        }
        report(format.name, median(ours), median(bare), 150);
    }
    return 0;
}
