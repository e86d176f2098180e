#include "Playing.h"

#include "sound/GStreamer.h"
#include "sound/GstHandle.h"

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <cstdio>

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

} // namespace bench
