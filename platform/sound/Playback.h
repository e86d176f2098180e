#pragma once

// One sound file on a GStreamer player (playbin). Opening checks, without playing, that the
// file holds audio the installed decoders can play; playing runs in GStreamer's own
// threads while the Qt event loop goes on, and the end of the sound or an error comes back
// through the bus on the main thread.

#include "sound/BusWatch.h"
#include "sound/GstHandle.h"

#include <chrono>
#include <memory>
#include <string>

class QTimer;

namespace platform::gst {

class Playback {
public:
    // How long a file may take to show what it holds. Generous, for a player's disk that
    // has to spin up first; a file that takes longer is not opened rather than freezing
    // the program.
    static constexpr std::chrono::milliseconds kRecognitionLimit{5000};

    // How long a play may take to start. A file that opened once can still fail to start
    // without a word: GStreamer's decoder bin can drop a demuxer's error that comes while
    // it is setting the demuxer up, and the player then waits for data forever. Such a
    // play is ended rather than reported as playing for ever.
    static constexpr std::chrono::milliseconds kStartLimit{5000};

    // The playback of a file, or null with the reason in `failure`, in plain words.
    static std::unique_ptr<Playback> open(const std::string& path, std::string& failure);

    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Plays from the start, also after the sound ended or was stopped; returns at once.
    void play();
    // Stops at once and lets go of the audio device.
    void stop();
    // True from play() until the sound ends by itself, fails, or is stopped.
    bool isPlaying();

    // Whether the current (or last) play went to the silent output.
    bool silent() const { return silent_; }
    // The player itself, for measuring.
    GstElement* pipeline() const { return playbin_.get(); }
    // For tests: a shorter start limit.
    void setStartLimit(std::chrono::milliseconds limit) { startLimit_ = limit; }

private:
    explicit Playback(Element playbin);
    void handle(GstMessage* message);
    void halt();

    Element playbin_;
    std::unique_ptr<BusWatch> watch_;
    std::unique_ptr<QTimer> startWatch_;
    std::chrono::milliseconds startLimit_ = kStartLimit;
    bool playing_ = false;
    bool silent_ = false;
};

} // namespace platform::gst
