#include "browser/Window1.h"

#include "info/aboutWin.h"
#include "menubar/MenuBar1.h"
#include "ui/Ui.h"

namespace parvolin {

using platform::Ref;

Ref<Window1> Window1::instance() { return platform::ImplicitInstance<Window1>(); }

Window1::~Window1()
{
    // The preview's sound first, then its file.
    SoundName.reset();
    soundFile.reset();
}

void Window1::Layout()
{
    setMenuBar(MenuBar1::instance());
    platform::SetProperties(*this, platform::windowDescriptionOf<Window1>());
}

void Window1::CreateControls() { CreateControls0(); }

void Window1::CreateControls0()
{
    platform::createControls(*this, controlTable(), platform::controlDescriptionsOf<Window1>());
}

void Window1::AddMenuHandlers(const Ref<platform::Window>& window)
{
    const Ref<Window1> built = platform::RuntimeCheckCast<Window1>(window);
    AddMenuHandler("AppleAbout",
                   platform::menuHandlerDelegate(Ref<platform::Object>(built), "AppleAbout", "_AppleAbout_Action"));
}

Ref<platform::MenuItem> Window1::menuItem(const char* name)
{
    return platform::RuntimeCheckCast<platform::MenuItem>(MenuBar()->Lookup(platform::Text(name)));
}

Ref<platform::MenuItem> Window1::Info() { return menuItem("Info"); }
Ref<platform::MenuItem> Window1::infoHelp() { return menuItem("infoHelp"); }
Ref<platform::MenuItem> Window1::EditMenu() { return menuItem("EditMenu"); }
Ref<platform::AppleMenuItem> Window1::AppleAbout()
{
    return platform::RuntimeCheckCast<platform::AppleMenuItem>(menuItem("AppleAbout"));
}
Ref<platform::MenuItem> Window1::EditCopy() { return menuItem("EditCopy"); }
Ref<platform::MenuItem> Window1::UntitledMenu0() { return menuItem("UntitledMenu0"); }

bool Window1::AppleAbout_Action()
{
    // The open About window comes to the front; when none is open, a new one opens.
    aboutWin::instance()->Show();
    return false;
}

platform::ClassDefinition Window1::classDefinition()
{
    // Method names in the class record keep the framework's spelling; C++ reserves
    // identifiers that begin with an underscore and a capital, so the C++ names drop it.
    using platform::method;
    return {kClassName, "Window", [] {
                // Its own operations, then one member per control, in creation order.
                return platform::withControlMembers({
                    method<&Window1::Layout>("Layout"),
                    method<&Window1::CreateControls>("CreateControls"),
                    method<&Window1::CreateControls0>("_CreateControls0", true),
                    method<&Window1::folders_KeyDown>("folders_KeyDown"),
                    method<&Window1::folders_CellClick>("folders_CellClick"),
                    method<&Window1::ListBox1_DoubleClick>("ListBox1_DoubleClick"),
                    method<&Window1::ListBox1_Change>("ListBox1_Change"),
                    method<&Window1::Timer1_Action>("Timer1_Action"),
                    method<&Window1::playBtn_Action>("playBtn_Action"),
                    method<&Window1::Timer2_Action>("Timer2_Action"),
                    method<&Window1::refreshBtn_Action>("refreshBtn_Action"),
                    method<&Window1::iPodsMenu_Change>("iPodsMenu_Change"),
                    method<&Window1::copyTo_TextChange>("copyTo_TextChange"),
                    method<&Window1::copyToBtn_Action>("copyToBtn_Action"),
                    method<&Window1::copyBtn_Action>("copyBtn_Action"),
                    method<&Window1::Info>("Info"),
                    method<&Window1::infoHelp>("infoHelp"),
                    method<&Window1::EditMenu>("EditMenu"),
                    method<&Window1::AppleAbout>("AppleAbout"),
                    method<&Window1::EditCopy>("EditCopy"),
                    method<&Window1::UntitledMenu0>("UntitledMenu0"),
                    method<&Window1::AddMenuHandlers>("AddMenuHandlers"),
                    method<&Window1::Event_Open>("Event_Open"),
                    method<&Window1::AppleAbout_Action>("_AppleAbout_Action"),
                    method<&Window1::readiPodFolders>("readiPodFolders"),
                    method<&Window1::readiPod>("readiPod"),
                    method<&Window1::readIpodFiles>("readIpodFiles"),
                    method<&Window1::countFiles>("countFiles"),
                    method<&Window1::copyAll>("copyAll"),
                }, controlTable());
            }};
}

platform::ClassDefinition Window1::timerClassDefinition(const char* name)
{
    // The class made for one timer control: Timer's operations, then those through which
    // the framework ties it to its window and its control-array index. Its properties are
    // the control's own: Index, and the owning window (held weakly: the window owns the
    // timer, and the link goes with the timer). Its Constructor adds nothing to the
    // framework's construction of a timer, which it runs (a second call does nothing).
    using platform::method;
    return {name, "Timer", [] {
                return std::vector<platform::Operation>{
                    method<&platform::Control::SetWindow>("_SetWindow"),
                    method<&platform::Control::window>("Window"),
                    method<&platform::Control::Index>("_Index"),
                    method<&platform::Control::SetIndex>("_SetIndex"),
                    method<&platform::Timer::Constructor>("Constructor"),
                };
            }};
}

} // namespace parvolin
