#include "menus/MenuItem.h"

namespace platform {

void MenuItem::Append(const Ref<MenuItem>& item)
{
    if (!item)
        throw NilObjectException("The menu item to append");
    children_.push_back(item);
}

Ref<MenuItem> MenuItem::Item(std::int32_t index) const
{
    if (index < 0 || index >= Count())
        return Ref<MenuItem>();
    return children_[static_cast<std::size_t>(index)];
}

Ref<MenuItem> MenuItem::Child(const platform::Text& name) const
{
    for (const Ref<MenuItem>& child : children_)
        if (child->Name() == name)
            return child;
    return Ref<MenuItem>();
}

Ref<MenuItem> MenuItem::Lookup(const platform::Text& name) const
{
    for (const Ref<MenuItem>& child : children_) {
        if (child->Name() == name)
            return child;
        if (Ref<MenuItem> found = child->Lookup(name))
            return found;
    }
    return Ref<MenuItem>();
}

std::vector<Operation> MenuItem::operations()
{
    auto self = [](Object& object) -> MenuItem& { return dynamic_cast<MenuItem&>(object); };
    auto item = [](const Value& value) { return RuntimeCheckCast<MenuItem>(std::get<Ref<Object>>(value)); };
    auto text = [](const Value& value) { return std::get<platform::Text>(value); };
    const std::string notHere = "this desktop builds its menus once, from the menu bar.";
    return {
        declaredOnly("Enable", "(  )", "items are enabled by AutoEnable."),
        declaredOnly("Close", "(  )", notHere),
        operation("Item", "( Int32 ) as MenuItem", [self](Object& o, const Arguments& a) -> Value {
            return Ref<Object>(self(o).Item(std::get<std::int32_t>(a.at(0))));
        }),
        operation("Count", "(  ) as Int32", [self](Object& o, const Arguments&) -> Value { return self(o).Count(); }),
        operation("Child", "( String ) as MenuItem", [self, text](Object& o, const Arguments& a) -> Value {
            return Ref<Object>(self(o).Child(text(a.at(0))));
        }),
        operation("Append", "( MenuItem )", [self, item](Object& o, const Arguments& a) -> Value {
            self(o).Append(item(a.at(0)));
            return {};
        }),
        declaredOnly("Insert", "( Int32, MenuItem )", notHere),
        declaredOnly("Remove", "( Int32 )", notHere),
        declaredOnly("Remove", "( MenuItem )", notHere),
        declaredOnly("Remove", "( String )", notHere),
        operation("_Lookup", "( String ) as MenuItem", [self, text](Object& o, const Arguments& a) -> Value {
            return Ref<Object>(self(o).Lookup(text(a.at(0))));
        }),
        declaredOnly("_Lookup", "( String, Int32 ) as MenuItem", "items of this program are not numbered."),
        declaredOnly("MenuItem", "( String ) as MenuItem", "the converter from a text is not offered."),
        declaredOnly("Constructor", "( String, Variant )", "items are made empty and then named."),
        declaredOnly("PopUp", "(  ) as MenuItem", "the program shows no contextual menus."),
        declaredOnly("PopUp", "( Int32, Int32 ) as MenuItem", "the program shows no contextual menus."),
        declaredOnly("_Swap", "( MenuItem )", notHere),
        declaredOnly("_DisableEntirely", "(  )", "items are enabled by AutoEnable."),
        declaredOnly("_SelfEnable", "(  )", "items are enabled by AutoEnable."),
        declaredOnly("MenuItem", "( String, Variant ) as MenuItem", "the converter from a text is not offered."),
        operation("Constructor", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).Constructor();
            return {};
        }),
    };
}

} // namespace platform
