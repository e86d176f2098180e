#include "Playing.h"

#include "SoundFiles.h"
#include "sound/GStreamer.h"
#include "sound/GstHandle.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

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

void report(const char* what, double ours, double bare, double target)
{
    std::printf("  %-4s %8.1f ms   bare playbin %8.1f ms   ratio %5.2f   target < %.0f ms: %s\n", what, ours, bare,
                bare > 0 ? ours / bare : 0.0, target, ours >= 0 && ours < target ? "met" : "MISSED");
}

double runChild(const QString& mode, const std::string& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first"), mode, QString::fromStdString(path)});
    child.waitForFinished(30000);
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().toDouble();
}

int runPressBenchmark(int argc, char** argv, const char* title, const PresserFor& presserFor)
{
    if (argc == 4 && std::strcmp(argv[1], "--first") == 0) {
        const double elapsed = std::strcmp(argv[2], "bare") == 0 ? playBare(argv[3]) : presserFor(argv[3])();
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

    std::printf("%s (median of %d)\n", title, runs);
    std::printf("first press in a fresh process:\n");
    for (const Format& format : formats) {
        std::vector<double> ours, bare;
        for (int i = 0; i < runs; ++i) {
            ours.push_back(runChild(QStringLiteral("ours"), format.path));
            bare.push_back(runChild(QStringLiteral("bare"), format.path));
        }
        report(format.name, median(ours), median(bare), 400);
    }
    std::printf("later presses in one process:\n");
    for (const Format& format : formats) {
        const Presser press = presserFor(format.path);
        std::vector<double> ours, bare;
        press();
        for (int i = 0; i < runs; ++i) {
            ours.push_back(press());
            bare.push_back(playBare(format.path));
        }
        report(format.name, median(ours), median(bare), 150);
    }
    return 0;
}

} // namespace bench
