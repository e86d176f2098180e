#pragma once

// Sound: a sound file that can be played, stopped and asked whether it still plays.
// Playing returns at once; the sound plays on while the event loop runs. There is no
// volume, position or progress.
//
// Which files open: any that holds at least one audio stream the installed GStreamer
// decoders can play (MP3, AAC and Apple Lossless in M4A, WAV, AIFF, and more). A video
// with a sound track opens too, and plays its sound only; no window ever opens. A picture,
// a text or an empty file does not open, whatever its name. On a desktop without a sound
// device a sound plays silently but takes its real length.

#include "runtime/Object.h"

#include <memory>
#include <string>
#include <string_view>

namespace platform {

class FolderItem;
struct SoundOpening;

namespace gst {
class Playback;
}

class Sound : public Object {
public:
    static constexpr const char* kClassName = "Sound";
    static constexpr std::string_view kTypeName = "Sound";

    Sound();
    ~Sound() override;

    // Plays the sound from its start, also after it ended or was stopped; returns at once.
    // A sound made without a file (not by OpenAsSound) has nothing to play: Play raises the
    // nil-object exception.
    void Play();
    // Stops at once; a sound that is not playing stays as it is.
    void Stop();
    // True from Play until the sound ends by itself or is stopped.
    bool IsPlaying() const;

    // The player underneath, for tests and measurements; null for a sound without a file.
    gst::Playback* playback() const { return playback_.get(); }

private:
    friend SoundOpening openSound(const FolderItem& file);
    std::unique_ptr<gst::Playback> playback_;
};

// A file opened as a sound: the sound, or an empty handle and the reason in plain words
// ("\"/media/x/F00/ABCD.m4a\" cannot be opened as a sound: no decoder is installed for it
// (MIDI decoder)").
struct SoundOpening {
    Ref<Sound> sound;
    std::string failure;
};

// Opens the file as a sound, deciding quickly and without playing it whether it holds
// sound. Blocks only for that check.
SoundOpening openSound(const FolderItem& file);

// The file as a sound, or an empty handle when it holds no sound that can be played; the
// reason then goes to the program's warnings (openSound gives it to the caller).
Ref<Sound> OpenAsSound(const FolderItem& file);

} // namespace platform
