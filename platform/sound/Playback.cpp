#include "sound/Playback.h"

#include "sound/SoundOutput.h"

#include <gst/pbutils/pbutils.h>

#include <QTimer>
#include <QtGlobal>

#include <vector>

namespace platform::gst {

namespace {

std::string errorText(GstMessage* message)
{
    Error error;
    String details;
    gst_message_parse_error(message, error.out(), details.out());
    return error && error->message ? error->message : "an unknown error";
}

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// Prerolls the player (brings it to PAUSED, so that the file is typed, demuxed and its
// streams decoded up to the first buffer, but nothing is heard) and reports whether it
// found at least one audio stream it can decode. The player is back in NULL afterwards.
std::string recognise(GstElement* playbin)
{
    Bus bus = Bus::adopt(gst_element_get_bus(playbin));
    std::vector<std::string> missing;
    std::string error;
    bool prerolled = false;
    bool timedOut = false;

    const auto deadline = std::chrono::steady_clock::now() + Playback::kRecognitionLimit;
    const auto messages = GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ELEMENT);
    const bool started = gst_element_set_state(playbin, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE;
    while (!prerolled && error.empty()) {
        // A failed start has posted its error already; nothing more is waited for.
        const auto left = started ? deadline - std::chrono::steady_clock::now() : std::chrono::nanoseconds(0);
        const auto wait = std::max<std::int64_t>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(left).count());
        Message message = Message::adopt(gst_bus_timed_pop_filtered(bus.get(), GstClockTime(wait), messages));
        if (!message) {
            timedOut = started;
            break;
        }
        switch (GST_MESSAGE_TYPE(message.get())) {
        case GST_MESSAGE_ERROR:
            error = errorText(message.get());
            break;
        case GST_MESSAGE_ASYNC_DONE:
            prerolled = GST_MESSAGE_SRC(message.get()) == GST_OBJECT(playbin);
            break;
        case GST_MESSAGE_ELEMENT:
            if (gst_is_missing_plugin_message(message.get()))
                missing.emplace_back(String::adopt(gst_missing_plugin_message_get_description(message.get())).get());
            break;
        default:
            break;
        }
    }
    gint audioStreams = 0;
    if (prerolled)
        g_object_get(playbin, "n-audio", &audioStreams, nullptr);
    gst_element_set_state(playbin, GST_STATE_NULL);

    if (audioStreams > 0)
        return {};
    // A missing decoder says more than the error it leads to.
    if (!missing.empty())
        return "no decoder is installed for it (" + joined(missing) + ")";
    if (!error.empty())
        return error;
    if (timedOut)
        return "it did not show what it holds within " + std::to_string(Playback::kRecognitionLimit.count() / 1000)
            + " seconds";
    return "it holds no sound";
}

} // namespace

std::unique_ptr<Playback> Playback::open(const std::string& path, std::string& failure)
{
    Element playbin = Element::sinkFloating(gst_element_factory_make("playbin", "sound"));
    if (!playbin) {
        failure = "GStreamer's player (playbin, in gstreamer1.0-plugins-base) is not installed";
        return nullptr;
    }
    Error uriError;
    const String uri = String::adopt(gst_filename_to_uri(path.c_str(), uriError.out()));
    if (!uri) {
        failure = uriError ? uriError->message : "its name cannot be made into a URI";
        return nullptr;
    }
    g_object_set(playbin.get(), "uri", uri.get(), nullptr);
    // Sound only: no video and no subtitles are shown (a film's pictures may still be decoded
    // and thrown away). The video sink is a discarding one all the same, so that nothing
    // could ever open a window.
    gst_util_set_object_arg(G_OBJECT(playbin.get()), "flags", "audio+soft-volume");
    g_object_set(playbin.get(), "video-sink", makeDiscardingSink().get(), "audio-sink", makeDiscardingSink().get(),
                 nullptr);

    failure = recognise(playbin.get());
    if (!failure.empty())
        return nullptr;
    return std::unique_ptr<Playback>(new Playback(std::move(playbin)));
}

Playback::Playback(Element playbin) : playbin_(std::move(playbin))
{
    watch_ = std::make_unique<BusWatch>(Bus::adopt(gst_element_get_bus(playbin_.get())),
                                        [this](GstMessage* message) { handle(message); });
    startWatch_ = std::make_unique<QTimer>();
    startWatch_->setSingleShot(true);
    QObject::connect(startWatch_.get(), &QTimer::timeout, startWatch_.get(), [this] {
        qWarning("A sound did not start within %lld ms and was ended.", static_cast<long long>(startLimit_.count()));
        halt();
    });
}

Playback::~Playback()
{
    // The bus is read no more, then the streaming threads are stopped before the player
    // goes.
    watch_.reset();
    startWatch_.reset();
    gst_element_set_state(playbin_.get(), GST_STATE_NULL);
}

void Playback::play()
{
    // Back to the start. Going to NULL also empties the bus, so that the end of an earlier
    // play cannot be taken for the end of this one.
    halt();
    SoundOutput output = chooseSoundOutput();
    silent_ = output.silent;
    g_object_set(playbin_.get(), "audio-sink", output.sink.get(), nullptr);
    playing_ = true;
    startWatch_->start(startLimit_);
    if (gst_element_set_state(playbin_.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        // The error on the bus says why, and ends the play.
        watch_->drain();
        halt();
    }
}

void Playback::stop() { halt(); }

bool Playback::isPlaying()
{
    watch_->drain();
    return playing_;
}

void Playback::halt()
{
    playing_ = false;
    startWatch_->stop();
    gst_element_set_state(playbin_.get(), GST_STATE_NULL);
}

void Playback::handle(GstMessage* message)
{
    if (GST_MESSAGE_SRC(message) != GST_OBJECT(playbin_.get()) && GST_MESSAGE_TYPE(message) != GST_MESSAGE_ERROR)
        return;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_STATE_CHANGED: {
        GstState now = GST_STATE_VOID_PENDING;
        gst_message_parse_state_changed(message, nullptr, &now, nullptr);
        if (now == GST_STATE_PLAYING)
            startWatch_->stop();
        break;
    }
    case GST_MESSAGE_EOS:
        halt();
        break;
    case GST_MESSAGE_ERROR:
        // The sound ends here; the program only asks whether it still plays.
        qWarning("A sound stopped playing: %s", errorText(message).c_str());
        halt();
        break;
    default:
        break;
    }
}

} // namespace platform::gst
