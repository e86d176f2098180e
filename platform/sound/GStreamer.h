#pragma once

// GStreamer is started once, on the first use of a sound, not at program start: a program
// that never plays anything does not pay for loading its plug-in registry.

namespace platform::gst {

void initializeOnce();

} // namespace platform::gst
