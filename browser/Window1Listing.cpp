// The music folder list, the file list and the file count.

#include "browser/Window1.h"

namespace parvolin {

void Window1::readiPodFolders() {}

void Window1::readIpodFiles(std::int32_t) {}

void Window1::countFiles() {}

bool Window1::folders_KeyDown(const platform::Text&) { return false; }

bool Window1::folders_CellClick(std::int32_t, std::int32_t, std::int32_t, std::int32_t) { return false; }

void Window1::ListBox1_DoubleClick() {}

} // namespace parvolin

namespace parvolin {

platform::Text Window1::musicFolderPath(std::int32_t row)
{
    if (row < 0 || row >= control<platform::Listbox>("folders")->ListCount())
        throw platform::NilObjectException("Row " + platform::Str(row).bytes() + " of the folder list");
    return control<platform::StaticText>("iPodPath")->Text() + "Music:" + control<platform::Listbox>("folders")->Cell(row, 0);
}

} // namespace parvolin
