#pragma once

// Reads a pipeline's bus from the Qt event loop. GStreamer's streaming threads post their
// messages to the bus; the bus's file descriptor becomes readable while messages wait, and
// a socket notifier on it hands them, one by one and on the main thread, to the callback.
// No second thread and no GLib main loop are involved.

#include "sound/GstHandle.h"

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform::gst {

class BusWatch {
public:
    // The callback borrows each message for the length of the call.
    BusWatch(Bus bus, std::function<void(GstMessage*)> onMessage);
    ~BusWatch();
    BusWatch(const BusWatch&) = delete;
    BusWatch& operator=(const BusWatch&) = delete;

    // Hands over every message that waits now, without waiting for the event loop.
    void drain();

private:
    Bus bus_;
    std::function<void(GstMessage*)> onMessage_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace platform::gst
