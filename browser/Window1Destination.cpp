// The destination folder, and the state of the Play and Copy buttons.

#include "browser/Window1.h"

namespace parvolin {

void Window1::copyToBtn_Action() {}

void Window1::copyTo_TextChange() {}

void Window1::ListBox1_Change() {}

void Window1::Timer2_Action() {}

} // namespace parvolin
