// The destination folder, and the state of the Play and Copy buttons.

#include "browser/Window1.h"

namespace parvolin {

using platform::Ref;

void Window1::copyToBtn_Action() {}

void Window1::copyTo_TextChange() {}

void Window1::ListBox1_Change()
{
    // While a preview is loaded the buttons stay as the preview left them.
    if (soundFile)
        return;
    const Ref<platform::Window> self = platform::RefTo<platform::Window>(*this);
    if (me<platform::Listbox>()->ListIndex() == -1) {
        platform::RuntimeWindowControlByName<platform::PushButton>(self, "playBtn")->setEnabled(false);
        platform::RuntimeWindowControlByName<platform::PushButton>(self, "copyBtn")->setEnabled(false);
        return;
    }
    platform::RuntimeWindowControlByName<platform::PushButton>(self, "playBtn")->setEnabled(true);
    if (platform::StringCompare(platform::RuntimeWindowControlByName<platform::EditField>(self, "copyTo")->Text(), "") != 0)
        platform::RuntimeWindowControlByName<platform::PushButton>(self, "copyBtn")->setEnabled(true);
}

void Window1::Timer2_Action() {}

} // namespace parvolin
