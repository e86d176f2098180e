#pragma once

// Class records: every class, the framework's and the program's, has one record with its
// name, its superclass and its table of operations (the superclass's operations in their
// order, then its own). Events and menu commands find the methods they call by name in
// these tables.

#include "runtime/Object.h"
#include "runtime/Value.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

struct Operation {
    using Body = std::function<Value(Object& self, const Arguments& arguments)>;

    std::string name;
    std::string signature; // "(  )", "( String ) as Boolean", ...
    Body body;             // empty: the operation is listed but not offered (invoking refuses)
    bool hidden = false;
};

class ClassRecord {
public:
    ClassRecord(std::string name, const ClassRecord* superclass, std::vector<Operation> operations);

    const std::string& name() const { return name_; }
    const ClassRecord* superclass() const { return superclass_; }
    const std::vector<Operation>& operations() const { return operations_; }

    // The operation of that name (the last one when a name is overloaded), or null.
    const Operation* find(std::string_view operationName) const;
    // The operation of that name and signature, or null.
    const Operation* find(std::string_view operationName, std::string_view signature) const;
    bool isKindOf(std::string_view className) const;

private:
    std::string name_;
    const ClassRecord* superclass_;
    std::vector<Operation> operations_;
};

struct ClassDefinition {
    std::string name;
    std::string superclass; // empty for a root class
    std::function<std::vector<Operation>()> ownOperations;
};

// The run time's type information: the declared classes and the records built from them.
class ClassRegistry {
public:
    static ClassRegistry& instance();

    // Makes a class known; its record is built on the first build() of it or of a subclass.
    void declare(ClassDefinition definition);
    bool isDeclared(std::string_view name) const;

    // Builds the record once, the superclass's first; later calls return the same record.
    const ClassRecord& build(std::string_view name);
    const ClassRecord* find(std::string_view name) const;
    const ClassRecord& record(std::string_view name) const; // throws when not built

    // Records in the order they were built.
    const std::vector<const ClassRecord*>& buildOrder() const { return order_; }

    // Drops every record and declaration (shut-down).
    void clear();

private:
    std::map<std::string, ClassDefinition, std::less<>> definitions_;
    std::map<std::string, std::unique_ptr<ClassRecord>, std::less<>> records_;
    std::vector<const ClassRecord*> order_;
};

// A new instance of a class whose record has been built; no program constructor logic
// runs beyond the C++ object's own initialisation.
template <class T>
class ObjectFactory {
public:
    static Ref<T> make(const ClassRecord& record)
    {
        auto object = std::make_shared<T>();
        static_cast<Object&>(*object).classRecord_ = &record;
        return Ref<T>(std::move(object));
    }
};

template <class T>
Ref<T> RuntimeNewObject()
{
    return ObjectFactory<T>::make(ClassRegistry::instance().record(T::kClassName));
}

// ---- Operations made from C++ member functions -------------------------------------------
// The signature string is derived from the C++ types, so a table entry cannot claim a
// signature its method does not have.

template <class T>
struct SignatureType;

template <>
struct SignatureType<Text> {
    static constexpr std::string_view name = "String";
    static Text from(const Value& value) { return std::get<Text>(value); }
};
template <>
struct SignatureType<std::int32_t> {
    static constexpr std::string_view name = "Int32";
    static std::int32_t from(const Value& value) { return std::get<std::int32_t>(value); }
};
template <>
struct SignatureType<bool> {
    static constexpr std::string_view name = "Boolean";
    static bool from(const Value& value) { return std::get<bool>(value); }
};
template <class T>
struct SignatureType<Ref<T>> {
    static constexpr std::string_view name = T::kTypeName;
    static Ref<T> from(const Value& value) { return RuntimeCheckCast<T>(std::get<Ref<Object>>(value)); }
};

std::string signatureString(const std::vector<std::string_view>& argumentTypes, std::string_view resultType);

template <class R, class... A>
std::string signatureOf()
{
    std::string_view result;
    if constexpr (!std::is_void_v<R>)
        result = SignatureType<R>::name;
    return signatureString({SignatureType<std::decay_t<A>>::name...}, result);
}

namespace detail {

template <auto Method>
struct MethodTraits;

template <auto Method, class C, class R, class... A>
struct MethodCall {
    using Class = C;
    static std::string signature() { return signatureOf<std::decay_t<R>, A...>(); }

    static Value call(Object& self, const Arguments& arguments)
    {
        if (arguments.size() != sizeof...(A))
            throw RuntimeException("A method was called with the wrong number of arguments.");
        auto* target = dynamic_cast<C*>(&self);
        if (!target)
            throw IllegalCastException("A method was called on an object of another class.");
        return invoke(*target, arguments, std::index_sequence_for<A...>{});
    }

    template <std::size_t... I>
    static Value invoke(C& target, const Arguments& arguments, std::index_sequence<I...>)
    {
        if constexpr (std::is_void_v<R>) {
            (target.*Method)(SignatureType<std::decay_t<A>>::from(arguments[I])...);
            return {};
        } else {
            return Value((target.*Method)(SignatureType<std::decay_t<A>>::from(arguments[I])...));
        }
    }
};

template <class C, class R, class... A, R (C::*Method)(A...)>
struct MethodTraits<Method> : MethodCall<Method, C, R, A...> {};

template <class C, class R, class... A, R (C::*Method)(A...) const>
struct MethodTraits<Method> : MethodCall<Method, C, R, A...> {};

} // namespace detail

// An operation table entry for a member function (const or not), under the name the class
// record gives it.
template <auto Method>
Operation method(std::string name, bool hidden = false)
{
    using Traits = detail::MethodTraits<Method>;
    return Operation{std::move(name), Traits::signature(), &Traits::call, hidden};
}

// An entry for an operation that the class lists but this framework does not offer:
// calling it fails with a message that says so.
Operation declaredOnly(std::string name, std::string signature, std::string whyNotOffered,
                       bool hidden = false);

// An entry whose body is given directly.
Operation operation(std::string name, std::string signature, Operation::Body body, bool hidden = false);

} // namespace platform
