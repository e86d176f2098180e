#pragma once

// Where a sound is heard: the desktop's audio output when one can be opened, otherwise a
// silent output that still runs at the pace of the sound, so that a sound takes its real
// length and the program sees it end when it would have ended aloud.

#include "sound/GstHandle.h"

namespace platform::gst {

struct SoundOutput {
    Element sink;
    bool silent = false;
};

// Asks the desktop's audio output (autoaudiosink) whether it can open a device; the choice
// is made anew for every play, so a device that comes or goes is noticed.
SoundOutput chooseSoundOutput();

// A sink that throws the sound away but keeps to the clock (fakesink, sync on).
Element makeSilentOutput();

// A sink that throws everything away as fast as it comes (for checking a file, and for
// video, which is never shown).
Element makeDiscardingSink();

} // namespace platform::gst
