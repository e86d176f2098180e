#pragma once

// Owning handles for GStreamer's reference-counted types. GStreamer hands out references in
// three ways, and each call site says which one it got, so that no reference is dropped
// twice or kept forever:
//   adopt(p)         the caller already owns a reference (a "transfer full" result) and
//                    passes it to the handle;
//   share(p)         the caller only borrows p (a "transfer none" result); the handle takes
//                    a reference of its own;
//   sinkFloating(p)  p is freshly made with a floating reference (an element from a
//                    factory); the handle makes it an ordinary one and owns it.
// The handle drops its reference when it goes.

#include <gst/gst.h>

#include <type_traits>
#include <utility>

namespace platform::gst {

template <class T>
struct Unref;

template <>
struct Unref<GstElement> {
    static void drop(GstElement* p) { gst_object_unref(p); }
    static void take(GstElement* p) { gst_object_ref(p); }
};

template <>
struct Unref<GstBus> {
    static void drop(GstBus* p) { gst_object_unref(p); }
    static void take(GstBus* p) { gst_object_ref(p); }
};

template <>
struct Unref<GstMessage> {
    static void drop(GstMessage* p) { gst_message_unref(p); }
    static void take(GstMessage* p) { gst_message_ref(p); }
};

template <>
struct Unref<GError> {
    static void drop(GError* p) { g_error_free(p); }
};

template <>
struct Unref<gchar> {
    static void drop(gchar* p) { g_free(p); }
};

template <class T>
class Handle {
public:
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~Handle() { reset(); }

    [[nodiscard]] static Handle adopt(T* p) { return Handle(p); }
    [[nodiscard]] static Handle share(T* p)
    {
        if (p)
            Unref<T>::take(p);
        return Handle(p);
    }
    [[nodiscard]] static Handle sinkFloating(T* p)
        requires std::is_same_v<T, GstElement>
    {
        if (p)
            gst_object_ref_sink(p);
        return Handle(p);
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Where a "transfer full" out-parameter is written: drops what the handle held first.
    T** out()
    {
        reset();
        return &p_;
    }

    void reset(T* p = nullptr)
    {
        if (p_)
            Unref<T>::drop(p_);
        p_ = p;
    }

private:
    explicit Handle(T* p) : p_(p) {}
    T* p_ = nullptr;
};

using Element = Handle<GstElement>;
using Bus = Handle<GstBus>;
using Message = Handle<GstMessage>;
using Error = Handle<GError>;
using String = Handle<gchar>;

} // namespace platform::gst
