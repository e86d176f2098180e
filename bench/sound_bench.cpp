// From a press on "Play" to the sound really playing: OpenAsSound and Play, until the player
// is in PLAYING and its position moves. Measured for MP3 and M4A (AAC), the first time in a
// fresh process (GStreamer and its plug-ins are loaded then) and the later times in one
// process, and compared with a reference in the same run: a bare playbin told to play the
// same file into a real-time sink, with no check of the file and no choice of output.
// Run: sound_bench [runs]. Plays to the desktop's sound device when there is one.

#include "SoundFiles.h"
#include "files/FolderItem.h"
#include "sound/GStreamer.h"
#include "sound/GstHandle.h"
#include "sound/Playback.h"
#include "sound/Sound.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lets the event loop run until the player is in PLAYING and its position has moved on
// from the first one seen there; false after ten seconds.
bool waitUntilPlaying(GstElement* pipeline)
{
    const auto limit = Clock::now() + std::chrono::seconds(10);
    gint64 first = -1;
    while (Clock::now() < limit) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        GstState state = GST_STATE_VOID_PENDING;
        gst_element_get_state(pipeline, &state, nullptr, 0);
        gint64 position = -1;
        if (state != GST_STATE_PLAYING || !gst_element_query_position(pipeline, GST_FORMAT_TIME, &position))
            continue;
        if (first < 0)
            first = position;
        else if (position > first)
            return true;
    }
    return false;
}

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

double playBare(const std::string& path)
{
    using namespace platform::gst;
    const auto start = Clock::now();
    initializeOnce();
    Element playbin = Element::sinkFloating(gst_element_factory_make("playbin", nullptr));
    Element sink = Element::sinkFloating(gst_element_factory_make("fakesink", nullptr));
    g_object_set(sink.get(), "sync", TRUE, nullptr);
    const String uri = String::adopt(gst_filename_to_uri(path.c_str(), nullptr));
    g_object_set(playbin.get(), "uri", uri.get(), "audio-sink", sink.get(), nullptr);
    gst_util_set_object_arg(G_OBJECT(playbin.get()), "flags", "audio+soft-volume");
    gst_element_set_state(playbin.get(), GST_STATE_PLAYING);
    const bool playing = waitUntilPlaying(playbin.get());
    const double elapsed = millisecondsSince(start);
    gst_element_set_state(playbin.get(), GST_STATE_NULL);
    return playing ? elapsed : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// One measurement in a fresh process: "--first sound|bare <file>".
double runChild(const QString& mode, const std::string& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first"), mode, QString::fromStdString(path)});
    child.waitForFinished(30000);
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().toDouble();
}

void report(const char* what, double ours, double bare, double target)
{
    std::printf("  %-4s %8.1f ms   bare playbin %8.1f ms   ratio %5.2f   target < %.0f ms: %s\n", what, ours, bare,
                bare > 0 ? ours / bare : 0.0, target, ours >= 0 && ours < target ? "met" : "MISSED");
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
