#include "sound/SoundOutput.h"

#include <cstring>

namespace platform::gst {

namespace {

// True when the element, or the element it picked for itself, is a fakesink: autoaudiosink
// falls back to one, silently and without keeping time, when no device opens.
bool isFakeSink(GstElement* element)
{
    GstElementFactory* factory = gst_element_get_factory(element); // borrowed
    return factory && std::strcmp(GST_OBJECT_NAME(factory), "fakesink") == 0;
}

bool pickedRealDevice(GstElement* sink)
{
    if (gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE)
        return false;
    if (!GST_IS_BIN(sink))
        return !isFakeSink(sink);
    bool real = false;
    GstIterator* children = gst_bin_iterate_sinks(GST_BIN(sink));
    GValue child = G_VALUE_INIT;
    while (gst_iterator_next(children, &child) == GST_ITERATOR_OK) {
        real = real || !isFakeSink(GST_ELEMENT(g_value_get_object(&child)));
        g_value_reset(&child);
    }
    g_value_unset(&child);
    gst_iterator_free(children);
    return real;
}

} // namespace

Element makeSilentOutput()
{
    Element sink = Element::sinkFloating(gst_element_factory_make("fakesink", "silent-output"));
    if (sink)
        g_object_set(sink.get(), "sync", TRUE, nullptr);
    return sink;
}

Element makeDiscardingSink()
{
    Element sink = Element::sinkFloating(gst_element_factory_make("fakesink", nullptr));
    if (sink)
        g_object_set(sink.get(), "sync", FALSE, nullptr);
    return sink;
}

SoundOutput chooseSoundOutput()
{
    Element device = Element::sinkFloating(gst_element_factory_make("autoaudiosink", "audio-output"));
    if (device) {
        const bool real = pickedRealDevice(device.get());
        // The player opens the device again when it starts; the probe lets go of it here.
        gst_element_set_state(device.get(), GST_STATE_NULL);
        if (real)
            return {std::move(device), false};
    }
    return {makeSilentOutput(), true};
}

} // namespace platform::gst
