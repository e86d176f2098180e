// Playing a file as a preview.

#include "browser/Window1.h"

namespace parvolin {

void Window1::playBtn_Action() {}

void Window1::Timer1_Action() {}

} // namespace parvolin
