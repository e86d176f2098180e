#pragma once

// The keys of a class's descriptions as one table, in the order its descriptions store
// them: each key with its default in the table form and the setter its value goes to, or,
// for a key this desktop cannot honour, the reason it changes nothing here. A key's type is
// its setter's argument type, so an entry cannot claim a type its setter does not take:
//
//     key("Visible", true, &RectControl::setVisible),
//     key("Mode", noDefault, &Timer::setMode),
//     noEffect("DoubleBuffer", false, "Qt already paints every widget double-buffered"),
//
// A table names the keys that several classes share ("Visible", "TextFont") by their name
// alone; their entries are written once, on RectControl and Control.

#include "description/DescriptionLayout.h"
#include "runtime/Object.h"

#include <functional>
#include <optional>
#include <type_traits>

namespace platform {

struct PropertyEntry {
    KeyLayout layout;
    std::function<void(Object&, const PropertyValue&)> apply; // empty for a key without effect
    std::string_view noEffect;                                 // why the key changes nothing here
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
    // holds the entries that lines name. A line naming no shared key, a key given twice
    // and an entry with neither an effect nor a reason are mistakes in the framework
    // itself: they throw std::logic_error.
    PropertyTable(std::string_view className, std::string_view textKey, const std::vector<PropertyEntry>& shared,
                  const std::vector<TableLine>& lines);

    std::string_view className() const { return className_; }
    const std::vector<PropertyEntry>& entries() const { return entries_; }
    // Null when the class does not have the key.
    const PropertyEntry* find(std::string_view key) const;
    // The keys with their types and defaults, for the description area.
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

// The class and the value type of a setter: a member function, or a function of the object
// and the value.
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

// A key whose value goes to `setter`; the default is of the setter's type, or noDefault.
template <class D, class Setter>
PropertyEntry key(std::string_view name, const D& tableDefault, Setter setter)
{
    using Class = typename detail::SetterTraits<Setter>::Class;
    using Argument = typename detail::SetterTraits<Setter>::Argument;
    return {detail::keyLayout<Argument>(name, tableDefault),
            [setter](Object& object, const PropertyValue& value) {
                std::invoke(setter, dynamic_cast<Class&>(object), std::get<Argument>(value));
            },
            {}};
}

// A setter that keeps the value in a member and then shows it with one of the object's
// methods, for the keys that a class shows together.
template <class C, class T>
auto kept(T C::*member, void (C::*show)())
{
    return [member, show](C& object, T value) {
        object.*member = value;
        (object.*show)();
    };
}

// A key that changes nothing on this desktop, and why. Its type is that of its default, or
// T for a key without default.
template <class T = void, class D>
PropertyEntry noEffect(std::string_view name, const D& tableDefault, std::string_view reason)
{
    using Type = std::conditional_t<std::is_void_v<T>, D, T>;
    static_assert(!std::is_same_v<Type, NoDefault>, "a key without default names its type");
    return {detail::keyLayout<Type>(name, tableDefault), {}, reason};
}

} // namespace platform
