#include "sound/BusWatch.h"

#include <QSocketNotifier>

namespace platform::gst {

BusWatch::BusWatch(Bus bus, std::function<void(GstMessage*)> onMessage)
    : bus_(std::move(bus)), onMessage_(std::move(onMessage))
{
    GPollFD poll{};
    gst_bus_get_pollfd(bus_.get(), &poll);
    notifier_ = std::make_unique<QSocketNotifier>(poll.fd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { drain(); });
}

BusWatch::~BusWatch() = default;

void BusWatch::drain()
{
    // Popping a message also consumes its wake-up on the descriptor, so the notifier
    // falls quiet once the bus is empty.
    while (Message message = Message::adopt(gst_bus_pop(bus_.get())))
        onMessage_(message.get());
}

} // namespace platform::gst
