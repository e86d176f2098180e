#include "browser/Window2.h"

#include "ui/Ui.h"

namespace parvolin {

using platform::color;
using platform::Text;

platform::Ref<Window2> Window2::instance() { return platform::ImplicitInstance<Window2>(); }

void Window2::Layout()
{
    platform::SetProperties(*this, platform::windowDescriptionOf<Window2>());
}

void Window2::CreateControls() { CreateControls0(); }

void Window2::CreateControls0()
{
    platform::createControls(*this, controlTable(), platform::controlDescriptionsOf<Window2>());
}

const std::vector<platform::WindowTableRow>& Window2::windowTable()
{
    static const std::vector<platform::WindowTableRow> rows{
        {"Placement", 0},
        {"Width", 580},
        {"Height", 121},
        {"MinWidth", 64},
        {"MinHeight", 64},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", 8},
        {"Composite", false},
        {"HasBackColor", false},
        {"BackColor", color("#FFFFFF")},
        {"Title", Text("Untitled")},
        {"Visible", true},
        {"FullScreen", false},
        {"MenuBarVisible", true},
        {"CloseButton", true},
        {"Resizeable", false},
        {"LiveResize", true},
        {"MaximizeButton", false},
        {"MinimizeButton", true},
        {"MacProcID", 0},
    };
    return rows;
}

const std::vector<platform::ControlTableRow>& Window2::controlTable()
{
    const Text quote = Text("\"");
    static const std::vector<platform::ControlTableRow> rows{
        {1, "copyCounter", "StaticText", "", 473, 56, 74, 20, "T R", Text("000/000"),
         {{"TabIndex", 1}, {"TextAlign", 1}, {"Visible", false}, {"TextSize", 0}}, {}},
        {2, "stopInfo", "StaticText", "", 34, 85, 499, 16, "L T R",
         Text("Press Command + ") + quote + "." + quote + " to stop",
         {{"TabIndex", 2}, {"TextAlign", 1}, {"Visible", false}, {"TextSize", 0}}, {}},
        {3, "ProgressBar1", "ProgressBar", "", 42, 56, 426, 20, "L T R", std::nullopt,
         {{"Visible", false}, {"Value", 0}, {"Maximum", 100}}, {}},
        {4, "StaticText1", "StaticText", "", 42, 24, 434, 20, "none",
         Text("Moving files from the iPod to your Mac, please wait..."),
         {{"TabIndex", 3}, {"TextAlign", 0}, {"Visible", true}, {"TextSize", 14}}, {}},
    };
    return rows;
}

platform::ClassDefinition Window2::classDefinition()
{
    using platform::method;
    return {kClassName, "Window", [] {
                // Its own operations, then one member per control, in creation order.
                return platform::withControlMembers({
                    method<&Window2::Layout>("Layout"),
                    method<&Window2::CreateControls>("CreateControls"),
                    method<&Window2::CreateControls0>("_CreateControls0", true),
                }, controlTable());
            }};
}

} // namespace parvolin
