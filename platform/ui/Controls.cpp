#include "ui/Controls.h"

#include "runtime/ClassRecord.h"

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
    {BevelButton::kClassName, RectControl::kClassName, &BevelButton::operations},
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
