#pragma once

// The keys of a class's descriptions as one table, in the order its descriptions store
// them: each key with its default in the table form and what setting it does to the
// object, or, for a key this desktop cannot honour, why it changes nothing here. A key's
// type is the argument type of its setter, so an entry cannot claim a type its setter
// does not take:
//
//     key("Visible", true, &RectControl::setVisible),
//     key("Mode", noDefault, &Timer::setMode),
//     noEffect("DoubleBuffer", false, "Qt already paints every widget double-buffered"),
//
// A class's table names the keys that several classes share (Visible, TextFont, ...) by
// their name alone; their entries are written once, on RectControl and Control.

#include "description/DescriptionLayout.h"
#include "runtime/Object.h"

#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

struct PropertyEntry {
    KeyLayout layout;
    // Sets the key on the object; empty for a key without effect here.
    std::function<void(Object&, const PropertyValue&)> apply;
    // Why the key changes nothing on this desktop.
    std::string_view noEffect;
};

// One line of a class's table: an entry of its own, or the name of a shared key.
struct TableLine {
    TableLine(PropertyEntry own) : entry(std::move(own)) {}
    TableLine(const char* shared) : sharedKey(shared) {}

    std::optional<PropertyEntry> entry;
    std::string_view sharedKey;
};

class PropertyTable {
public:
    // `textKey` holds the table form's "text or caption" column ("" for none); `shared`
    // gives the entries of the keys that the lines name.
    PropertyTable(std::string_view className, std::string_view textKey, const std::vector<PropertyEntry>& shared,
                  const std::vector<TableLine>& lines);

    std::string_view className() const { return className_; }
    const std::vector<PropertyEntry>& entries() const { return entries_; }
    // The entry of that key, or null when the class does not have it.
    const PropertyEntry* find(std::string_view key) const;
    // What the description area needs of the table: the keys, their types and defaults.
    ClassLayout layout() const;

private:
    std::string_view className_;
    std::string_view textKey_;
    std::vector<PropertyEntry> entries_;
};

// Marks a key without default in the table form: every row gives it.
struct NoDefault {};
inline constexpr NoDefault noDefault;

namespace detail {

// The class and the value type of a setter: a member function, or a function of the
// object and the value.
template <class Setter>
struct SetterTraits : SetterTraits<decltype(&Setter::operator())> {};

template <class C, class A>
struct SetterTraits<void (C::*)(A)> {
    using Class = C;
    using Argument = std::decay_t<A>;
};

template <class F, class C, class A>
struct SetterTraits<void (F::*)(C&, A) const> {
    using Class = C;
    using Argument = std::decay_t<A>;
};

template <class T, class D>
KeyLayout keyLayout(std::string_view key, const D& tableDefault)
{
    KeyLayout layout{key, propertyTypeOf<T>(), std::nullopt};
    if constexpr (!std::is_same_v<D, NoDefault>) {
        static_assert(std::is_same_v<D, T> || (std::is_same_v<T, Text> && std::is_convertible_v<const D&, Text>),
                      "a key's default has the key's type");
        layout.tableDefault = PropertyValue(T(tableDefault));
    }
    return layout;
}

} // namespace detail

// A key whose value goes to `setter`; `tableDefault` is a value of the setter's argument
// type, or noDefault.
template <class D, class Setter>
PropertyEntry key(std::string_view name, const D& tableDefault, Setter setter)
{
    using Traits = detail::SetterTraits<Setter>;
    using Class = typename Traits::Class;
    using Argument = typename Traits::Argument;
    return PropertyEntry{detail::keyLayout<Argument>(name, tableDefault),
                         [setter](Object& object, const PropertyValue& value) {
                             std::invoke(setter, dynamic_cast<Class&>(object), std::get<Argument>(value));
                         },
                         {}};
}

// A key that changes nothing on this desktop, and why. Its type is that of the default,
// or T for a key without default.
template <class T = void, class D>
PropertyEntry noEffect(std::string_view name, const D& tableDefault, std::string_view reason)
{
    using Type = std::conditional_t<std::is_void_v<T>, D, T>;
    static_assert(!std::is_same_v<Type, NoDefault>, "a key without default names its type");
    return PropertyEntry{detail::keyLayout<Type>(name, tableDefault), {}, reason};
}

} // namespace platform
