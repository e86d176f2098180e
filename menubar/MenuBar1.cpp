#include "menubar/MenuBar1.h"

#include "runtime/Runtime.h"

namespace parvolin {

namespace {

using platform::AppleMenuItem;
using platform::MenuItem;
using platform::Ref;
using platform::Text;

Ref<MenuBar1>& implicitInstance()
{
    static Ref<MenuBar1> bar;
    return bar;
}

// One row of the menu tree: made, constructed, then Name, AutoEnable, Text and
// KeyboardShortcut in this order (an empty shortcut is set too).
template <class Item>
Ref<MenuItem> makeItem(const char* name, const char* text, const char* shortcut)
{
    Ref<Item> item = platform::RuntimeNewObject<Item>();
    item->Constructor();
    item->setName(Text(name));
    item->setAutoEnable(true);
    item->setText(Text(text));
    item->setKeyboardShortcut(Text(shortcut));
    return item;
}

} // namespace

Ref<MenuBar1> MenuBar1::instance()
{
    Ref<MenuBar1>& bar = implicitInstance();
    if (!bar) {
        // Stored only once the whole tree is built: a failure leaves nothing behind.
        Ref<MenuBar1> made = platform::RuntimeNewObject<MenuBar1>();
        made->Constructor();
        bar = made;
    }
    return bar;
}

bool MenuBar1::exists() { return static_cast<bool>(implicitInstance()); }

void MenuBar1::releaseInstance() { implicitInstance().reset(); }

void MenuBar1::Constructor()
{
    Untitled2();
    Untitled3();
}

void MenuBar1::Untitled2()
{
    Append(makeItem<MenuItem>("EditMenu", "Edit", ""));
    Child(platform::Text("EditMenu"))->Append(makeItem<MenuItem>("EditCopy", "Copy", "Cmd+C"));
    Child(platform::Text("EditMenu"))->Append(makeItem<AppleMenuItem>("AppleAbout", "About Parvolin...", "Cmd+I"));
}

void MenuBar1::Untitled3()
{
    Append(makeItem<MenuItem>("Info", "Info", ""));
    Child(platform::Text("Info"))->Append(makeItem<MenuItem>("infoHelp", "Help...", ""));
}

platform::ClassDefinition MenuBar1::classDefinition()
{
    return {kClassName, "MenuBar", [] {
                return std::vector<platform::Operation>{
                    // Takes the slot of MenuItem's constructor without arguments.
                    platform::method<&MenuBar1::Constructor>("Constructor"),
                    platform::method<&MenuBar1::Untitled2>("Untitled2"),
                    platform::method<&MenuBar1::Untitled3>("Untitled3"),
                };
            }};
}

} // namespace parvolin
