#include "info/infoWin.h"

#include "info/PictureResources.h"
#include "info/WindowPictures.h"

namespace parvolin {

using platform::color;
using platform::Ref;
using platform::Text;

Ref<infoWin> infoWin::instance() { return platform::ImplicitInstance<infoWin>(); }

void infoWin::Layout()
{
    platform::SetProperties(*this, platform::windowDescriptionOf<infoWin>());
}

void infoWin::CreateControls() { CreateControls0(); }

void infoWin::CreateControls0()
{
    createControlsWithPictures(*this, controlTable(), platform::controlDescriptionsOf<infoWin>(),
                               {{"Canvas1", &info1}, {"Canvas2", &info0}, {"Canvas3", &info3}, {"Canvas4", &info4}});
}

void infoWin::PushButton1_Action() { instance()->Close(); }

const std::vector<platform::WindowTableRow>& infoWin::windowTable()
{
    static const std::vector<platform::WindowTableRow> rows{
        {"Placement", 0},
        {"Width", 640},
        {"Height", 500},
        {"MinWidth", 64},
        {"MinHeight", 64},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", 0},
        {"Composite", false},
        {"HasBackColor", true},
        {"BackColor", color("#FFFFFF")},
        {"Title", Text("Parvolin - Info")},
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

const std::vector<platform::ControlTableRow>& infoWin::controlTable()
{
    const Text lineBreak = platform::Chr(13);
    const Text quote = platform::Chr(34);
    static const std::vector<platform::ControlTableRow> rows{
        {1, "Canvas1", "Canvas", "", 20, 105, 308, 128, "none", std::nullopt, {{"TabIndex", 0}}, {}},
        {2, "Canvas2", "Canvas", "", 20, 26, 227, 54, "none", std::nullopt, {{"TabIndex", 1}}, {}},
        {3, "Canvas3", "Canvas", "", 20, 243, 162, 47, "none", std::nullopt, {{"TabIndex", 2}}, {}},
        {4, "StaticText1", "StaticText", "", 259, 36, 367, 63, "none",
         Text("Click the button to choose a folder, it's where to save the music files copied from the hidden "
              "folders on the iPod."),
         {{"TabIndex", 3}, {"Multiline", true}}, {}},
        {5, "StaticText2", "StaticText", "", 344, 118, 282, 92, "none",
         Text("Start by selecting one or more files to copy.") + lineBreak +
             "Use Shift+Click or Command+Click to select more than one file.",
         {{"TabIndex", 4}, {"Multiline", true}}, {}},
        {6, "StaticText3", "StaticText", "", 223, 254, 403, 103, "none",
         Text("Click ") + quote + "Copy" + quote + " to start." + lineBreak +
             "A progress bar will inform you about the status of the copy ..." + lineBreak + lineBreak +
             "... or press the Option key (Alt) to copy all the music file in just one easy step, the button name "
             "changes to " +
             quote + "Copy All" + quote + "." + lineBreak + "The files on the iPod remains untouched.",
         {{"TabIndex", 5}, {"Multiline", true}}, {}},
        {7, "StaticText4", "StaticText", "", 20, 401, 602, 47, "none",
         Text("Don't worry abot the strange names, all the informations are stored in the filess (TAGs) and, when "
              "you drag the files back to iTunes, everything (album title, track names, ...) will be there."),
         {{"TabIndex", 6}, {"Multiline", true}}, {}},
        {8, "PushButton1", "PushButton", "", 281, 460, 80, 20, "none", Text("Close"),
         {{"TabIndex", 7}, {"Default", true}}, {{"Action", "PushButton1_Action"}}},
        {9, "Canvas4", "Canvas", "", 20, 292, 162, 47, "none", std::nullopt, {{"TabIndex", 8}}, {}},
    };
    return rows;
}

platform::ClassDefinition infoWin::classDefinition()
{
    using platform::method;
    return {kClassName, "Window", [] {
                // Its own operations, then one member per control, in creation order.
                return platform::withControlMembers({
                    method<&infoWin::Layout>("Layout"),
                    method<&infoWin::CreateControls>("CreateControls"),
                    method<&infoWin::CreateControls0>("_CreateControls0", true),
                    method<&infoWin::PushButton1_Action>("PushButton1_Action"),
                }, controlTable());
            }};
}

} // namespace parvolin
