#pragma once

// Sound files made on the spot with GStreamer's own encoders, and a few that are not
// sounds, in a temporary folder that goes with the object.

#include <QTemporaryDir>

#include <string>

namespace testsupport {

// No sound device, whatever the machine: the sound server is out of reach and the JACK
// server is not started, so sounds play silently but take their length.
void withoutSoundDevice();

class SoundFiles {
public:
    SoundFiles();

    // The path of a file in the folder (made or not).
    std::string path(const std::string& name) const;

    // One second of a 440 Hz tone, encoded by the pipeline tail (e.g. "lamemp3enc");
    // gives the path, or an empty text when the encoder is missing or failed.
    std::string encodeTone(const std::string& name, const std::string& encoderAndMuxer, int milliseconds = 1000);
    // One second of tone as uncompressed big-endian AIFF, written by hand (GStreamer has no
    // AIFF writer among the installed plug-ins).
    std::string writeAiff(const std::string& name, int milliseconds = 1000);
    // A one-second film (VP8 video in WebM), with or without a Vorbis sound track.
    std::string encodeFilm(const std::string& name, bool withSound);
    // A standard MIDI file with one empty track.
    std::string writeMidi(const std::string& name);
    // A small PNG picture.
    std::string writePng(const std::string& name);
    std::string writeBytes(const std::string& name, const std::string& bytes);

private:
    bool runPipeline(const std::string& description);
    QTemporaryDir folder_;
};

} // namespace testsupport
