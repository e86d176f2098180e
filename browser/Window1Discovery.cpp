// Finding the players among the mounted volumes and keeping the chosen one's device path.

#include "browser/Window1.h"

namespace parvolin {

void Window1::Event_Open() { readiPod(); }

void Window1::readiPod()
{
    // The volume scan arrives with the device browser.
}

void Window1::refreshBtn_Action() {}

void Window1::iPodsMenu_Change() {}

} // namespace parvolin
