#include "sound/GStreamer.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <mutex>

namespace platform::gst {

void initializeOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // No process arguments: the program hands none to anything.
        gst_init(nullptr, nullptr);
        // The descriptions of missing decoders come from here.
        gst_pb_utils_init();
    });
}

} // namespace platform::gst
