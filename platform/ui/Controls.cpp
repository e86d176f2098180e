#include "ui/Controls.h"

#include "ui/Window.h"

namespace platform {

namespace {

std::vector<Operation> controlOperations()
{
    return {method<&Control::Name>("Name"), method<&Control::Index>("Index")};
}

std::vector<Operation> rectControlOperations()
{
    return {
        method<&RectControl::Refresh>("Refresh"),
        method<&RectControl::Visible>("Visible"),
        method<&RectControl::Enabled>("Enabled"),
    };
}

std::vector<Operation> canvasOperations() { return {method<&Canvas::Backdrop>("Backdrop")}; }

std::vector<Operation> staticTextOperations() { return {method<&StaticText::Text>("Text")}; }

std::vector<Operation> pushButtonOperations()
{
    return {
        method<&PushButton::Caption>("Caption"),
        declaredOnly("Push", "(  )", "buttons are pressed by the user."),
    };
}

std::vector<Operation> listboxOperations()
{
    return {
        method<&Listbox::AddRow>("AddRow"),
        method<&Listbox::DeleteAllRows>("DeleteAllRows"),
        method<&Listbox::Cell>("Cell"),
        method<&Listbox::ListCount>("ListCount"),
        method<&Listbox::ListIndex>("ListIndex"),
        method<&Listbox::LastIndex>("LastIndex"),
        method<&Listbox::SelCount>("SelCount"),
        method<&Listbox::Selected>("Selected"),
        method<&Listbox::EditCell>("EditCell"),
        declaredOnly("RemoveRow", "( Int32 )", "rows are removed all at once, with DeleteAllRows."),
        declaredOnly("Sort", "(  )", "lists keep their rows in the order they were added."),
    };
}

std::vector<Operation> popupMenuOperations()
{
    return {
        method<&PopupMenu::AddRow>("AddRow"),
        method<&PopupMenu::DeleteAllRows>("DeleteAllRows"),
        method<&PopupMenu::ListCount>("ListCount"),
        method<&PopupMenu::ListIndex>("ListIndex"),
        method<&PopupMenu::Text>("Text"),
        declaredOnly("RemoveRow", "( Int32 )", "rows are removed all at once, with DeleteAllRows."),
    };
}

std::vector<Operation> editFieldOperations()
{
    return {
        method<&EditField::Text>("Text"),
        declaredOnly("SelectAll", "(  )", "the program does not select a field's text."),
    };
}

std::vector<Operation> progressBarOperations()
{
    return {method<&ProgressBar::Value>("Value"), method<&ProgressBar::Maximum>("Maximum")};
}

std::vector<Operation> timerOperations()
{
    return {
        method<&Timer::Reset>("Reset"),
        method<&Timer::Mode>("Mode"),
        method<&Timer::Period>("Period"),
    };
}

template <class C>
Ref<Control> make(Window& window, std::string_view recordName)
{
    return window.New<C>(recordName);
}

// A class that windows make controls of.
template <class C>
constexpr ControlClass concrete(const char* superclass, std::vector<Operation> (*operations)())
{
    return {C::kClassName, superclass, operations, &C::propertyTable, &make<C>};
}

// In the order they are built: every superclass before its subclasses.
const ControlClass kClasses[] = {
    {Control::kClassName, "Object", &controlOperations, nullptr, nullptr},
    {RectControl::kClassName, Control::kClassName, &rectControlOperations, nullptr, nullptr},
    concrete<Rectangle>(RectControl::kClassName, nullptr),
    concrete<Canvas>(RectControl::kClassName, &canvasOperations),
    concrete<StaticText>(RectControl::kClassName, &staticTextOperations),
    concrete<PushButton>(RectControl::kClassName, &pushButtonOperations),
    concrete<BevelButton>(RectControl::kClassName, &BevelButton::operations),
    concrete<Listbox>(RectControl::kClassName, &listboxOperations),
    concrete<PopupMenu>(RectControl::kClassName, &popupMenuOperations),
    concrete<EditField>(RectControl::kClassName, &editFieldOperations),
    concrete<ProgressBar>(RectControl::kClassName, &progressBarOperations),
    concrete<Timer>(Control::kClassName, &timerOperations),
};

} // namespace

std::span<const ControlClass> controlClasses() { return kClasses; }

const ControlClass* findControlClass(std::string_view name)
{
    for (const ControlClass& entry : kClasses)
        if (entry.make && entry.name == name)
            return &entry;
    return nullptr;
}

void declareControlClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    registry.declare(ClassDefinition{Picture::kClassName, "Object", {}});
    for (const ControlClass& entry : kClasses) {
        std::function<std::vector<Operation>()> operations;
        if (entry.operations)
            operations = entry.operations;
        registry.declare(ClassDefinition{entry.name, entry.superclass, std::move(operations)});
        if (entry.properties)
            registerDescriptionLayout(entry.properties().layout());
    }
}

void buildControlClasses()
{
    ClassRegistry& registry = ClassRegistry::instance();
    registry.build(Picture::kClassName);
    for (const ControlClass& entry : kClasses)
        registry.build(entry.name);
}

} // namespace platform
