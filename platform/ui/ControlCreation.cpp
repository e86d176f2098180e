#include "ui/ControlCreation.h"

#include "ui/Controls.h"

namespace platform {

Ref<Control> newControl(Window& window, std::string_view className, std::string_view recordName)
{
    const ControlClass* controlClass = findControlClass(className);
    if (!controlClass)
        throw BindingError(window.registeredName() + ": there is no control class \"" + std::string(className) + "\".");
    const ClassRecord* record = ClassRegistry::instance().find(recordName);
    if (!record || !record->isKindOf(className))
        throw BindingError(window.registeredName() + ": \"" + std::string(recordName) + "\" is not a class of kind " +
                           std::string(className) + ".");
    return controlClass->make(window, recordName);
}

void bindEvent(Window& window, std::string_view controlName, std::string_view event, std::string_view handler)
{
    const std::string windowName = window.registeredName().substr(0, window.registeredName().find('.'));
    const std::string context = windowName + ", control " + std::string(controlName) + ", event " +
                                std::string(event) + ", method " + std::string(handler);
    Ref<Control> control = window.controlByName(controlName);
    if (!control)
        throw BindingError(context + ": the window has no such control.");
    // The control's own declaration of the event gives the signature its handler needs.
    const auto declared = control->declaredEvent(event);
    if (!declared)
        throw BindingError(context + ": no such event; a " + std::string(control->descriptionClass()) +
                           " has no event \"" + std::string(event) + "\".");
    const std::string signature(declared->signature);
    const Delegate delegate = delegateForMethod(RefTo(window), std::string(handler), signature, context);
    control->InstallEventHandler(event, delegate);
}

void createControl(Window& window, const ControlTableRow& row, const Text& description,
                   const std::function<void(Control&)>& beforeDescription)
{
    const std::string_view recordName = row.generatedClass.empty() ? row.className : row.generatedClass;
    Ref<Control> control = newControl(window, row.className, recordName);
    control->Constructor();
    window.AddControl(Text(row.name), control);
    if (beforeDescription)
        beforeDescription(*window.controlByName(row.name));
    SetProperties(*window.controlByName(row.name), description);
    for (const EventBinding& binding : row.events)
        bindEvent(window, row.name, binding.event, binding.handler);
}

void createControls(Window& window, const std::vector<ControlTableRow>& rows, const std::vector<Text>& descriptions)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        createControl(window, rows[i], descriptions.at(i));
}

std::vector<Text> encodeControlTable(const std::vector<ControlTableRow>& rows)
{
    std::vector<Text> descriptions;
    descriptions.reserve(rows.size());
    for (const ControlTableRow& row : rows)
        descriptions.push_back(encodeControlDescription(row));
    return descriptions;
}

} // namespace platform
