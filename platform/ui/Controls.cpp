#include "platform/ui/Controls.h"

#include "platform/runtime/ClassRecord.h"

#include <utility>

namespace platform {

namespace {

// An operation table entry for a member function, const or not; the signature string is
// derived from the C++ types as for `method`.
template <class C, class R, class... A, class Call>
Operation bound(std::string name, Call call)
{
    Operation::Body body = [call](Object& self, const Arguments& arguments) -> Value {
        if (arguments.size() != sizeof...(A))
            throw RuntimeException("A method was called with the wrong number of arguments.");
        auto* target = dynamic_cast<C*>(&self);
        if (!target)
            throw IllegalCastException("A method was called on an object of another class.");
        return [&]<std::size_t... I>(std::index_sequence<I...>) -> Value {
            if constexpr (std::is_void_v<R>) {
                call(*target, SignatureType<std::decay_t<A>>::from(arguments[I])...);
                return {};
            } else {
                return Value(call(*target, SignatureType<std::decay_t<A>>::from(arguments[I])...));
            }
        }(std::index_sequence_for<A...>{});
    };
    return operation(std::move(name), signatureOf<std::decay_t<R>, A...>(), std::move(body));
}

template <class C, class R, class... A>
Operation bound(std::string name, R (C::*member)(A...) const)
{
    return bound<C, R, A...>(std::move(name), [member](C& target, std::decay_t<A>... arguments) {
        return (target.*member)(arguments...);
    });
}

template <class C, class R, class... A>
Operation bound(std::string name, R (C::*member)(A...))
{
    return bound<C, R, A...>(std::move(name), [member](C& target, std::decay_t<A>... arguments) {
        return (target.*member)(arguments...);
    });
}

std::vector<Operation> controlOperations()
{
    return {bound("Name", &Control::Name), bound("Index", &Control::Index)};
}

std::vector<Operation> rectControlOperations()
{
    return {
        bound("Refresh", &RectControl::Refresh),
        bound("Visible", &RectControl::Visible),
        bound("Enabled", &RectControl::Enabled),
    };
}

std::vector<Operation> canvasOperations() { return {bound("Backdrop", &Canvas::Backdrop)}; }

std::vector<Operation> staticTextOperations() { return {bound("Text", &StaticText::Text)}; }

std::vector<Operation> pushButtonOperations()
{
    return {
        bound("Caption", &PushButton::Caption),
        declaredOnly("Push", "(  )", "buttons are pressed by the user."),
    };
}

std::vector<Operation> bevelButtonOperations()
{
    return {
        bound("Caption", &BevelButton::Caption),
        bound("Value", &BevelButton::Value),
        declaredOnly("AddRow", "( String )", "bevel buttons have no menus here."),
    };
}

std::vector<Operation> listboxOperations()
{
    return {
        bound("AddRow", &Listbox::AddRow),
        bound("DeleteAllRows", &Listbox::DeleteAllRows),
        bound("Cell", &Listbox::Cell),
        bound("ListCount", &Listbox::ListCount),
        bound("ListIndex", &Listbox::ListIndex),
        bound("LastIndex", &Listbox::LastIndex),
        bound("SelCount", &Listbox::SelCount),
        bound("Selected", &Listbox::Selected),
        bound("EditCell", &Listbox::EditCell),
        declaredOnly("RemoveRow", "( Int32 )", "rows are removed all at once, with DeleteAllRows."),
        declaredOnly("Sort", "(  )", "lists keep their rows in the order they were added."),
    };
}

std::vector<Operation> popupMenuOperations()
{
    return {
        bound("AddRow", &PopupMenu::AddRow),
        bound("DeleteAllRows", &PopupMenu::DeleteAllRows),
        bound("ListCount", &PopupMenu::ListCount),
        bound("ListIndex", &PopupMenu::ListIndex),
        bound("Text", &PopupMenu::Text),
        declaredOnly("RemoveRow", "( Int32 )", "rows are removed all at once, with DeleteAllRows."),
    };
}

std::vector<Operation> editFieldOperations()
{
    return {
        bound("Text", &EditField::Text),
        declaredOnly("SelectAll", "(  )", "the program does not select a field's text."),
    };
}

std::vector<Operation> progressBarOperations()
{
    return {bound("Value", &ProgressBar::Value), bound("Maximum", &ProgressBar::Maximum)};
}

std::vector<Operation> timerOperations()
{
    return {
        bound("Reset", &Timer::Reset),
        bound("Mode", &Timer::Mode),
        bound("Period", &Timer::Period),
    };
}

struct ClassEntry {
    const char* name;
    const char* superclass;
    std::vector<Operation> (*operations)();
};

// In the order they are built: every superclass before its subclasses.
constexpr ClassEntry kClasses[] = {
    {Picture::kClassName, "Object", nullptr},
    {Control::kClassName, "Object", &controlOperations},
    {RectControl::kClassName, Control::kClassName, &rectControlOperations},
    {Rectangle::kClassName, RectControl::kClassName, nullptr},
    {Canvas::kClassName, RectControl::kClassName, &canvasOperations},
    {StaticText::kClassName, RectControl::kClassName, &staticTextOperations},
    {PushButton::kClassName, RectControl::kClassName, &pushButtonOperations},
    {BevelButton::kClassName, RectControl::kClassName, &bevelButtonOperations},
    {Listbox::kClassName, RectControl::kClassName, &listboxOperations},
    {PopupMenu::kClassName, RectControl::kClassName, &popupMenuOperations},
    {EditField::kClassName, RectControl::kClassName, &editFieldOperations},
    {ProgressBar::kClassName, RectControl::kClassName, &progressBarOperations},
    {Timer::kClassName, Control::kClassName, &timerOperations},
};

} // namespace

void declareControlClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    for (const ClassEntry& entry : kClasses) {
        std::function<std::vector<Operation>()> operations;
        if (entry.operations)
            operations = entry.operations;
        registry.declare(ClassDefinition{entry.name, entry.superclass, std::move(operations)});
    }
}

void buildControlClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    for (const ClassEntry& entry : kClasses)
        registry.build(entry.name);
}

} // namespace platform
