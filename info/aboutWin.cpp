#include "info/aboutWin.h"

#include "info/PictureResources.h"
#include "info/WindowPictures.h"

namespace parvolin {

using platform::color;
using platform::Ref;
using platform::Text;

Ref<aboutWin> aboutWin::instance() { return platform::ImplicitInstance<aboutWin>(); }

void aboutWin::Layout()
{
    platform::SetProperties(*this, platform::windowDescriptionOf<aboutWin>());
}

void aboutWin::CreateControls() { CreateControls0(); }

void aboutWin::CreateControls0()
{
    createControlsWithPictures(*this, controlTable(), platform::controlDescriptionsOf<aboutWin>(),
                               {{"Canvas1", &logo317}, {"BevelButton1", &paypal}});
}

void aboutWin::Canvas1_MouseEnter() { me<platform::Canvas>()->setBackdrop(mulb()); }

void aboutWin::Canvas1_MouseExit() { me<platform::Canvas>()->setBackdrop(logo317()); }

void aboutWin::PushButton1_Action() { instance()->Close(); }

bool aboutWin::StaticText4_MouseDown(std::int32_t, std::int32_t)
{
    // The address goes to the desktop first; the window closes whatever became of it.
    platform::ShowURL(me<platform::StaticText>()->Text());
    instance()->Close();
    return false;
}

void aboutWin::StaticText4_MouseEnter() { lightLink(true); }

void aboutWin::StaticText4_MouseExit() { lightLink(false); }

bool aboutWin::StaticText5_MouseDown(std::int32_t, std::int32_t)
{
    platform::ShowURL(Text("mailto:") + me<platform::StaticText>()->Text());
    instance()->Close();
    return false;
}

void aboutWin::StaticText5_MouseEnter() { lightLink(true); }

void aboutWin::StaticText5_MouseExit() { lightLink(false); }

void aboutWin::BevelButton1_Action() { platform::ShowURL(Text(kDonationPage)); }

void aboutWin::lightLink(bool underPointer)
{
    const Ref<platform::StaticText> label = me<platform::StaticText>();
    label->setUnderline(underPointer);
    label->setTextColor(underPointer ? platform::Color{255, 0, 0} : platform::Color{0, 0, 0});
}

const std::vector<platform::WindowTableRow>& aboutWin::windowTable()
{
    static const std::vector<platform::WindowTableRow> rows{
        {"Placement", 0},
        {"Width", 574},
        {"Height", 283},
        {"MinWidth", 64},
        {"MinHeight", 64},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", 2},
        {"Composite", true},
        {"HasBackColor", false},
        {"BackColor", color("#FFFFFF")},
        {"Title", Text("Untitled")},
        {"Visible", true},
        {"FullScreen", false},
        {"MenuBarVisible", true},
        {"CloseButton", true},
        {"Resizeable", false},
        {"LiveResize", false},
        {"MaximizeButton", false},
        {"MinimizeButton", false},
        {"MacProcID", 0},
    };
    return rows;
}

const std::vector<platform::ControlTableRow>& aboutWin::controlTable()
{
    const Text lineBreak = platform::Chr(13);
    static const std::vector<platform::ControlTableRow> rows{
        {1, "Rectangle1", "Rectangle", "", 20, 22, 319, 240, "L", std::nullopt,
         {{"FillColor", color("#FFFFFF")}, {"BorderWidth", 1}, {"TopLeftColor", color("#000000")},
          {"BottomRightColor", color("#000000")}},
         {}},
        {2, "Canvas1", "Canvas", "", 21, 23, 317, 238, "none", std::nullopt,
         {{"TabIndex", 0}, {"InitialParent", Text("Rectangle1")}},
         {{"MouseEnter", "Canvas1_MouseEnter"}, {"MouseExit", "Canvas1_MouseExit"}}},
        {3, "StaticText1", "StaticText", "", 356, 14, 197, 43, "none", Text("Parvolin"),
         {{"TabIndex", 1}, {"TextSize", 32}}, {}},
        {4, "PushButton1", "PushButton", "", 416, 243, 80, 20, "none", Text("OK"),
         {{"TabIndex", 2}, {"Default", true}}, {{"Action", "PushButton1_Action"}}},
        {5, "StaticText2", "StaticText", "", 356, 48, 186, 20, "none", Text("Version 2.0"), {{"TabIndex", 3}}, {}},
        {6, "StaticText3", "StaticText", "", 356, 66, 186, 20, "none", Text(kCopyright),
         {{"TabIndex", 4}, {"TextSize", 10}}, {}},
        {7, "StaticText4", "StaticText", "", 356, 214, 197, 12, "none", Text(kWebAddress),
         {{"TabIndex", 5}, {"TextAlign", 1}, {"TextSize", 10}},
         {{"MouseDown", "StaticText4_MouseDown"},
          {"MouseEnter", "StaticText4_MouseEnter"},
          {"MouseExit", "StaticText4_MouseExit"}}},
        {8, "StaticText5", "StaticText", "", 356, 197, 197, 12, "none", Text(kMailAddress),
         {{"TabIndex", 6}, {"TextAlign", 1}, {"TextSize", 10}},
         {{"MouseDown", "StaticText5_MouseDown"},
          {"MouseEnter", "StaticText5_MouseEnter"},
          {"MouseExit", "StaticText5_MouseExit"}}},
        {9, "StaticText6", "StaticText", "", 356, 104, 209, 26, "none",
         Text("This application is free,") + lineBreak + "but donate via PayPal if you'd like. ;)",
         {{"TabIndex", 7}, {"TextAlign", 1}, {"Multiline", true}, {"TextSize", 11}}, {}},
        // No control of this window has TabIndex 8.
        {10, "BevelButton1", "BevelButton", "", 356, 135, 200, 50, "none", Text(""),
         {{"TabIndex", 9}, {"CaptionAlign", 3}, {"CaptionPlacement", 1}, {"CaptionDelta", 0}, {"IconAlign", 1},
          {"IconDX", 0}, {"IconDY", 0}, {"Bevel", 0}, {"HasMenu", 0}, {"Value", false}, {"MenuValue", 0},
          {"ButtonType", 0}},
         {{"Action", "BevelButton1_Action"}}},
    };
    return rows;
}

platform::ClassDefinition aboutWin::classDefinition()
{
    // Method names in the class record keep the framework's spelling; C++ reserves
    // identifiers that begin with an underscore and a capital, so the C++ names drop it.
    using platform::method;
    return {kClassName, "Window", [] {
                // Its own operations, then one member per control, in creation order.
                return platform::withControlMembers({
                    method<&aboutWin::Layout>("Layout"),
                    method<&aboutWin::CreateControls>("CreateControls"),
                    method<&aboutWin::CreateControls0>("_CreateControls0", true),
                    method<&aboutWin::Canvas1_MouseEnter>("Canvas1_MouseEnter"),
                    method<&aboutWin::Canvas1_MouseExit>("Canvas1_MouseExit"),
                    method<&aboutWin::PushButton1_Action>("PushButton1_Action"),
                    method<&aboutWin::StaticText4_MouseDown>("StaticText4_MouseDown"),
                    method<&aboutWin::StaticText4_MouseEnter>("StaticText4_MouseEnter"),
                    method<&aboutWin::StaticText4_MouseExit>("StaticText4_MouseExit"),
                    method<&aboutWin::StaticText5_MouseDown>("StaticText5_MouseDown"),
                    method<&aboutWin::StaticText5_MouseEnter>("StaticText5_MouseEnter"),
                    method<&aboutWin::StaticText5_MouseExit>("StaticText5_MouseExit"),
                    method<&aboutWin::BevelButton1_Action>("BevelButton1_Action"),
                }, controlTable());
            }};
}

} // namespace parvolin
