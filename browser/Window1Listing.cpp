// The music folder list, the file list and the file count.
//
// The folder list shows the entries of the player's Music folder; each row stands for the
// entry whose name it shows (musicFolderPath). The file list shows one row per entry of
// the folder listed last: its name, its four-character type ("0" when it has none), its
// creation date, and in a hidden fourth column its colon path, from which the preview and
// the copy find the file again.

#include "browser/Window1.h"

#include "files/Files.h"
#include "runtime/Runtime.h"
#include "ui/Ui.h"

namespace parvolin {

using platform::FolderItem;
using platform::Listbox;
using platform::Ref;
using platform::StaticText;
using platform::Text;

namespace {

constexpr std::int32_t kDownArrow = 31;
constexpr std::int32_t kUpArrow = 30;

} // namespace

Text Window1::musicFolderPath(std::int32_t row)
{
    // The row's own text names its folder. Counting folders by the row's number instead
    // ("F" and two digits) goes wrong as soon as a number is missing, another entry sits
    // among the folders, or the player has a hundred folders or more.
    if (row < 0 || row >= control<Listbox>("folders")->ListCount())
        throw platform::NilObjectException("Row " + platform::Str(row).bytes() + " of the folder list");
    return control<StaticText>("iPodPath")->Text() + "Music:" + control<Listbox>("folders")->Cell(row, 0);
}

void Window1::readiPodFolders()
{
    control<Listbox>("folders")->DeleteAllRows();
    control<Listbox>("ListBox1")->DeleteAllRows();
    const Ref<FolderItem> music = platform::GetFolderItem(control<StaticText>("iPodPath")->Text() + "Music:");
    const std::int32_t entries = music->Count();
    if (entries <= 0)
        return;
    for (std::int32_t i = 1; i <= entries; ++i) {
        if (platform::StringCompare(platform::Left(music->Item(i)->Name(), 1), Text(".")) != 0)
            control<Listbox>("folders")->AddRow(music->Item(i)->Name());
        platform::RuntimeBackgroundTask();
    }
    countFiles();
}

void Window1::readIpodFiles(std::int32_t row)
{
    const Ref<FolderItem> folder = platform::GetFolderItem(musicFolderPath(row));
    const std::int32_t entries = folder->Count();
    // Emptied only now: a folder that cannot be found leaves the list as it was.
    control<Listbox>("ListBox1")->DeleteAllRows();
    for (std::int32_t i = 1; i <= entries; ++i) {
        const Ref<FolderItem> entry = folder->Item(i);
        control<Listbox>("ListBox1")->AddRow(entry->Name());
        Text kind = entry->MacType();
        if (platform::StringCompare(kind, Text()) == 0)
            kind = Text("0");
        control<Listbox>("ListBox1")->setCell(control<Listbox>("ListBox1")->LastIndex(), 1, kind);
        control<Listbox>("ListBox1")->setCell(control<Listbox>("ListBox1")->LastIndex(), 2,
                                              entry->CreationDate().LongDate());
        control<Listbox>("ListBox1")->setCell(control<Listbox>("ListBox1")->LastIndex(), 3, entry->AbsolutePath());
        platform::RuntimeBackgroundTask();
    }
}

void Window1::countFiles()
{
    std::int32_t total = 0;
    // The row count and the device path are read anew for every folder: a handler that
    // runs at a yield may have relisted the folders.
    for (std::int32_t row = 0; row < control<Listbox>("folders")->ListCount(); ++row) {
        const Ref<FolderItem> folder = platform::GetFolderItem(musicFolderPath(row));
        const std::int32_t entries = folder->Count();
        for (std::int32_t i = 1; i <= entries; ++i) {
            ++total;
            platform::RuntimeBackgroundTask();
        }
        platform::RuntimeBackgroundTask();
    }
    control<StaticText>("iPodFiles")->setText(platform::Str(total) + " audio files");
}

bool Window1::folders_KeyDown(const Text& key)
{
    // The key is handled before the list moves its selection, so the folder the selection
    // is about to reach is listed here.
    if (platform::Asc(key) == kDownArrow && me<Listbox>()->ListIndex() < me<Listbox>()->ListCount() - 1)
        readIpodFiles(me<Listbox>()->ListIndex() + 1);
    if (platform::Asc(key) == kUpArrow && me<Listbox>()->ListIndex() > 0)
        readIpodFiles(me<Listbox>()->ListIndex() - 1);
    return false;
}

bool Window1::folders_CellClick(std::int32_t row, std::int32_t, std::int32_t, std::int32_t)
{
    readIpodFiles(row);
    return false;
}

void Window1::ListBox1_DoubleClick() { me<Listbox>()->EditCell(me<Listbox>()->ListIndex(), 0); }

} // namespace parvolin
