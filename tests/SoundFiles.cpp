#include "SoundFiles.h"

#include "sound/GStreamer.h"
#include "sound/GstHandle.h"

#include <QImage>
#include <QtGlobal>

#include <fstream>

namespace testsupport {

void withoutSoundDevice()
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/parvolin-test/native");
    qputenv("JACK_NO_START_SERVER", "1");
    qputenv("JACK_DEFAULT_SERVER", "parvolin-test-none");
}

namespace {

void putBigEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(char((value >> (8 * i)) & 0xff));
}

} // namespace

SoundFiles::SoundFiles() { platform::gst::initializeOnce(); }

std::string SoundFiles::path(const std::string& name) const { return folder_.filePath(QString::fromStdString(name)).toStdString(); }

bool SoundFiles::runPipeline(const std::string& description)
{
    using namespace platform::gst;
    Error error;
    Element pipeline = Element::sinkFloating(gst_parse_launch(description.c_str(), error.out()));
    if (!pipeline || error)
        return false;
    Bus bus = Bus::adopt(gst_element_get_bus(pipeline.get()));
    gst_element_set_state(pipeline.get(), GST_STATE_PLAYING);
    Message end = Message::adopt(gst_bus_timed_pop_filtered(bus.get(), 20 * GST_SECOND,
                                                            GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR)));
    gst_element_set_state(pipeline.get(), GST_STATE_NULL);
    return end && GST_MESSAGE_TYPE(end.get()) == GST_MESSAGE_EOS;
}

std::string SoundFiles::encodeTone(const std::string& name, const std::string& encoderAndMuxer, int milliseconds)
{
    // Buffers of 10 ms at 44.1 kHz, so the length comes out exact.
    const std::string file = path(name);
    const std::string description = "audiotestsrc num-buffers=" + std::to_string(milliseconds / 10)
        + " samplesperbuffer=441 ! audio/x-raw,rate=44100,channels=2 ! audioconvert ! " + encoderAndMuxer
        + " ! filesink location=\"" + file + "\"";
    return runPipeline(description) ? file : std::string();
}

std::string SoundFiles::encodeFilm(const std::string& name, bool withSound)
{
    const std::string file = path(name);
    std::string description = "videotestsrc num-buffers=10 ! video/x-raw,width=64,height=48,framerate=10/1 ! "
                              "videoconvert ! vp8enc ! webmmux name=mux ! filesink location=\""
        + file + "\"";
    if (withSound)
        description += " audiotestsrc num-buffers=100 samplesperbuffer=441 ! audioconvert ! vorbisenc ! mux.";
    return runPipeline(description) ? file : std::string();
}

std::string SoundFiles::writeAiff(const std::string& name, int milliseconds)
{
    const std::uint32_t frames = 44100u * std::uint32_t(milliseconds) / 1000u;
    std::string samples;
    for (std::uint32_t i = 0; i < frames; ++i)
        putBigEndian(samples, std::uint16_t(std::int16_t((i % 100) * 300 - 15000)), 2);
    std::string common = "COMM";
    putBigEndian(common, 18, 4);
    putBigEndian(common, 1, 2);      // channels
    putBigEndian(common, frames, 4); // sample frames
    putBigEndian(common, 16, 2);     // bits per sample
    // 44100 as an 80-bit extended number: exponent 16383 + 15, mantissa 44100 << 48.
    putBigEndian(common, 0x400E, 2);
    putBigEndian(common, 0xAC44000000000000ull, 8);
    std::string data = "SSND";
    putBigEndian(data, 8 + samples.size(), 4);
    putBigEndian(data, 0, 8); // offset and block size
    data += samples;
    std::string form = "FORM";
    putBigEndian(form, 4 + common.size() + data.size(), 4);
    return writeBytes(name, form + "AIFF" + common + data);
}

std::string SoundFiles::writeMidi(const std::string& name)
{
    using namespace std::string_literals;
    // Header: format 0, one track, 96 ticks per quarter; the track: a note, then its end.
    return writeBytes(name, "MThd\0\0\0\6\0\0\0\1\0\x60"s
                                + "MTrk\0\0\0\x0c\0\x90\x3c\x40\x60\x80\x3c\x40\0\xff\x2f\0"s);
}

std::string SoundFiles::writePng(const std::string& name)
{
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    const std::string file = path(name);
    return picture.save(QString::fromStdString(file), "PNG") ? file : std::string();
}

std::string SoundFiles::writeBytes(const std::string& name, const std::string& bytes)
{
    const std::string file = path(name);
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return file;
}

} // namespace testsupport
