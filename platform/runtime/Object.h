#pragma once

// Reference-counted objects and the handles that hold them. A handle (Ref) keeps its
// object alive; using an empty handle throws the nil-object exception instead of crashing.

#include "runtime/Exceptions.h"

#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace platform {

class ClassRecord;

class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    // The class record the object was made from (RuntimeNewObject); null for an object
    // made outside the run time.
    const ClassRecord* classRecord() const { return classRecord_; }

private:
    template <class T>
    friend class ObjectFactory;
    const ClassRecord* classRecord_ = nullptr;
};

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    explicit Ref(std::shared_ptr<T> object) : object_(std::move(object)) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    Ref(const Ref<U>& other) : object_(other.shared())
    {
    }

    T* operator->() const { return &checked(); }
    T& operator*() const { return checked(); }
    T* get() const { return object_.get(); }
    explicit operator bool() const { return object_ != nullptr; }
    const std::shared_ptr<T>& shared() const { return object_; }
    void reset() { object_.reset(); }

    friend bool operator==(const Ref& a, const Ref& b) { return a.object_ == b.object_; }
    friend bool operator==(const Ref& a, std::nullptr_t) { return !a.object_; }

private:
    T& checked() const
    {
        if (!object_)
            throw NilObjectException();
        return *object_;
    }

    std::shared_ptr<T> object_;
};

// A reference that does not keep its object alive, for back links (a control's window, a
// delegate's target) that would otherwise form cycles.
template <class T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(const Ref<T>& object) : object_(object.shared()) {}
    Ref<T> lock() const { return Ref<T>(object_.lock()); }

private:
    std::weak_ptr<T> object_;
};

template <class T>
Ref<T> RefTo(T& object)
{
    return Ref<T>(std::static_pointer_cast<T>(object.shared_from_this()));
}

// The run time's cast, tested at run time: an empty handle stays empty, an object of
// another class throws.
template <class T, class U>
Ref<T> RuntimeCheckCast(const Ref<U>& object)
{
    if (!object)
        return Ref<T>();
    auto cast = std::dynamic_pointer_cast<T>(object.shared());
    if (!cast)
        throw IllegalCastException("An object is not of the expected kind.");
    return Ref<T>(std::move(cast));
}

} // namespace platform
