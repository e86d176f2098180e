#pragma once

// Delegates: a method (or plain function), the object it is called on and the signature
// string it was made for. Events and menu commands hold delegates.

#include "runtime/ClassRecord.h"

#include <functional>
#include <string>

namespace platform {

// The invoker decides how the delegate calls: a plain function without an object, or a
// method with the delegate's object first and the event's arguments after it.
enum class Invoker { Invoke, IM_Invoke };

class Delegate {
public:
    using PlainFunction = std::function<void()>;

    Delegate() = default;

    const std::string& methodName() const { return methodName_; }
    const std::string& signature() const { return signature_; }
    bool isEmpty() const { return !plain_ && !method_; }

    // Calls the function or method; a method whose object has gone throws the nil-object
    // exception, a listed-but-not-offered method refuses.
    Value invoke(const Arguments& arguments = {}) const;

private:
    friend Delegate RuntimeCreateDelegate(Invoker, const Operation*, const Ref<Object>&, const std::string&);
    friend Delegate RuntimeCreateDelegate(Invoker, std::string, PlainFunction, const std::string&);

    Invoker invoker_ = Invoker::Invoke;
    std::string methodName_;
    std::string signature_;
    PlainFunction plain_;
    const Operation* method_ = nullptr;
    std::weak_ptr<Object> target_;
};

// A delegate of a method of the target's class. Fails at once when the method is missing
// or was declared with another signature.
Delegate RuntimeCreateDelegate(Invoker invoker, const Operation* method, const Ref<Object>& target,
                               const std::string& signature);

// A delegate of a plain function (no object), such as the start-up callback.
Delegate RuntimeCreateDelegate(Invoker invoker, std::string functionName, Delegate::PlainFunction function,
                               const std::string& signature);

// Looks the method up by name in the target's class record and makes the delegate;
// `context` begins the error message ("Window1, control folders, event KeyDown").
Delegate delegateForMethod(const Ref<Object>& target, const std::string& methodName, const std::string& signature,
                           const std::string& context);

// The handler of a menu item: a delegate of the target's method, which takes nothing and
// returns a Boolean. A missing method, or one of another signature, fails at once with an
// error that begins with the target's class and the item ("Window1, menu item AppleAbout")
// and names the method.
Delegate menuHandlerDelegate(const Ref<Object>& target, const std::string& itemName, const std::string& methodName);

} // namespace platform
