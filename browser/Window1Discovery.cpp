// Finding the players among the mounted volumes and keeping the chosen one's device path.
//
// A player is a mounted volume whose root holds an entry named "iPod_Control" (a folder or
// not). The device path is the player's volume name followed by ":iPod_Control:"; alone,
// ":iPod_Control:" means that no player is chosen. The hidden label iPodPath holds it for
// every listing and copy.

#include "browser/Window1.h"

#include "files/Files.h"
#include "runtime/Runtime.h"
#include "ui/Ui.h"

namespace parvolin {

using platform::FolderItem;
using platform::PopupMenu;
using platform::Ref;
using platform::StaticText;
using platform::Text;

namespace {

const Text kDevicePathTail(":iPod_Control:");

} // namespace

void Window1::Event_Open() { readiPod(); }

void Window1::readiPod()
{
    control<PopupMenu>("iPodsMenu")->DeleteAllRows();
    const std::int32_t volumes = platform::VolumeCount();
    for (std::int32_t i = 0; i < volumes; ++i) {
        const Ref<FolderItem> marker = platform::Volume(i)->Child(Text("iPod_Control"));
        if (marker && marker->Exists())
            control<PopupMenu>("iPodsMenu")->AddRow(platform::Volume(i)->Name());
        platform::RuntimeBackgroundTask();
    }
    if (control<PopupMenu>("iPodsMenu")->ListCount() > 0)
        control<PopupMenu>("iPodsMenu")->setListIndex(0);
    // Choosing the first row above raised the pop-up's Change, which already set the device
    // path and listed the player's music folders; had that failed, the scan would end there.
    Window1::instance()->control<StaticText>("iPods")->setText(
        Text("Found ") + platform::Str(control<PopupMenu>("iPodsMenu")->ListCount()) + " iPod(s)");
    Window1::instance()->control<StaticText>("iPodPath")->setText(control<PopupMenu>("iPodsMenu")->Text() +
                                                                   kDevicePathTail);
}

void Window1::refreshBtn_Action()
{
    readiPod();
    if (platform::StringCompare(control<StaticText>("iPodPath")->Text(), kDevicePathTail) != 0)
        readiPodFolders();
}

void Window1::iPodsMenu_Change()
{
    Window1::instance()->control<StaticText>("iPodPath")->setText(me<PopupMenu>()->Text() + kDevicePathTail);
    readiPodFolders();
}

} // namespace parvolin
