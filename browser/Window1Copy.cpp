// Copying the selected files, or every file of every music folder.

#include "browser/Window1.h"

namespace parvolin {

void Window1::copyBtn_Action() {}

void Window1::copyAll() {}

} // namespace parvolin
