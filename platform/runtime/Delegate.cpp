#include "runtime/Delegate.h"

namespace platform {

Value Delegate::invoke(const Arguments& arguments) const
{
    if (plain_) {
        plain_();
        return {};
    }
    if (!method_)
        throw NilObjectException("The handler of this delegate");
    auto target = target_.lock();
    if (!target)
        throw NilObjectException("The object that \"" + methodName_ + "\" belongs to");
    if (!method_->body)
        throw UnsupportedOperation("\"" + methodName_ + "\" has no body.");
    return method_->body(*target, arguments);
}

Delegate RuntimeCreateDelegate(Invoker invoker, const Operation* method, const Ref<Object>& target,
                               const std::string& signature)
{
    if (!method)
        throw BindingError("A delegate was requested for a method that does not exist.");
    if (!target)
        throw NilObjectException("The object of the delegate for \"" + method->name + "\"");
    if (invoker != Invoker::IM_Invoke)
        throw BindingError("The method \"" + method->name + "\" needs an invoker that passes its object.");
    if (method->signature != signature)
        throw BindingError("The method \"" + method->name + "\" has the signature \"" + method->signature +
                           "\", not \"" + signature + "\".");
    Delegate delegate;
    delegate.invoker_ = invoker;
    delegate.methodName_ = method->name;
    delegate.signature_ = signature;
    delegate.method_ = method;
    delegate.target_ = target.shared();
    return delegate;
}

Delegate RuntimeCreateDelegate(Invoker invoker, std::string functionName, Delegate::PlainFunction function,
                               const std::string& signature)
{
    if (!function)
        throw BindingError("A delegate was requested for the missing function \"" + functionName + "\".");
    if (invoker != Invoker::Invoke || signature != "(  )")
        throw BindingError("The function \"" + functionName + "\" takes no arguments and returns nothing; it "
                           "cannot be called as \"" + signature + "\".");
    Delegate delegate;
    delegate.invoker_ = invoker;
    delegate.methodName_ = std::move(functionName);
    delegate.signature_ = signature;
    delegate.plain_ = std::move(function);
    return delegate;
}

Delegate delegateForMethod(const Ref<Object>& target, const std::string& methodName, const std::string& signature,
                           const std::string& context)
{
    if (!target)
        throw NilObjectException(context + ": the object for \"" + methodName + "\"");
    const ClassRecord* record = target->classRecord();
    const std::string className = record ? record->name() : std::string("(no class record)");
    const Operation* method = record ? record->find(methodName) : nullptr;
    if (!method)
        throw BindingError(context + ": the class " + className + " has no method \"" + methodName + "\".");
    if (const Operation* exact = record->find(methodName, signature))
        method = exact;
    if (method->signature != signature)
        throw BindingError(context + ": the method \"" + methodName + "\" has the signature \"" +
                           method->signature + "\", but \"" + signature + "\" is needed.");
    return RuntimeCreateDelegate(Invoker::IM_Invoke, method, target, signature);
}

Delegate menuHandlerDelegate(const Ref<Object>& target, const std::string& itemName, const std::string& methodName)
{
    // The class as the program knows it: "Window1" for the record "Window1.Window1".
    const ClassRecord* record = target ? target->classRecord() : nullptr;
    const std::string owner = record ? record->name().substr(0, record->name().find('.')) : std::string("(nothing)");
    return delegateForMethod(target, methodName, "(  ) as Boolean", owner + ", menu item " + itemName);
}

} // namespace platform
