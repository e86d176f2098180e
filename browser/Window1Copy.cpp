// Copying the selected files, or every file of every music folder, into the destination
// folder while the progress window counts and Command-period stops the copy.

#include "browser/Window1.h"

#include "browser/Window2.h"
#include "dialogs/Dialogs.h"
#include "files/Files.h"
#include "runtime/Runtime.h"
#include "ui/Ui.h"

#include <algorithm>
#include <vector>

namespace parvolin {

using platform::FolderItem;
using platform::Ref;
using platform::Str;
using platform::Text;

namespace {

const Text kLineBreak = platform::Chr(13);

// A control of the progress window, reached through the window's implicit instance at every
// use: a progress window that the user closed comes back at the next update.
template <class C>
Ref<C> progressControl(std::string_view name)
{
    return platform::RuntimeWindowControlByName<C>(Ref<platform::Window>(Window2::instance()), name);
}

Text counterText(std::int32_t counter, std::int32_t total) { return Str(counter) + "/" + Str(total); }

// The message both copies show when the user stops them.
Text abortMessage(std::int32_t copied)
{
    return Text("Copy aborted.") + kLineBreak + kLineBreak + "Copy progress stopped." + kLineBreak + Str(copied) +
           " files where copied succesfully.";
}

// "1 file", "2 files".
std::string files(std::int32_t count) { return count == 1 ? "1 file" : std::to_string(count) + " files"; }

// What one copy has done so far. The counter shows the file being worked on (k of N); only
// the files that really arrived count as copied, and the failures are kept by their kind of
// trouble, to be said together at the end.
class CopyRun {
public:
    explicit CopyRun(Window1& window) : window_(window) {}

    // However the copy ends, also through an error, the Option key's timer goes back to its
    // pace and the progress window closes before anything is reported.
    ~CopyRun()
    {
        if (finished_)
            return;
        try {
            platform::RuntimeWindowControlByName<platform::Timer>(Ref<platform::Window>(platform::RefTo(window_)),
                                                                   "Timer2")
                ->setPeriod(100);
            if (const Ref<platform::Window> progress = platform::GetImplicitWindow(Window2::kClassName))
                progress->Close();
        } catch (...) {
            // The window may be gone with the program's end; nothing is left to restore then.
        }
    }

    std::int32_t counter = 1;
    std::int32_t copied = 0;

    // Copies one item into the destination and notes the outcome; a missing source, and a
    // link that leads off the player (what it points at is not the player's to give), count
    // as files that could not be copied.
    void copy(const Ref<FolderItem>& source, const Text& whatWasMeant, const FolderItem& destination)
    {
        if (!source) {
            noteFailure("the file can no longer be found", whatWasMeant.bytes());
            return;
        }
        if (!source->staysOnVolume()) {
            noteFailure("a link that leads off the player", source->nativePath());
            return;
        }
        const platform::CopyOutcome outcome = source->CopyFileTo(destination);
        if (outcome.succeeded())
            ++copied;
        else
            noteFailure(outcome.trouble, outcome.file);
    }

    // The copy ran its course (to its end or stopped by the user): the steps after the walk
    // restore the timer and the window themselves.
    void finish() { finished_ = true; }

    // How far the copy came, for a report that ends it: "1 file was copied; 2 files could
    // not be copied."
    std::string tally() const
    {
        std::string said = files(copied) + (copied == 1 ? " was copied" : " were copied");
        if (failures_ > 0)
            said += "; " + files(failures_) + " could not be copied";
        return said + ".";
    }

    // One message for the files that did not arrive: how many, then each kind of trouble
    // once with the number of files it hit and the first of them, the kind that hit most
    // first, so that none hides behind another met earlier.
    void reportFailures() const
    {
        if (failures_ == 0)
            return;
        std::vector<Trouble> mostFirst = troubles_;
        std::stable_sort(mostFirst.begin(), mostFirst.end(),
                         [](const Trouble& a, const Trouble& b) { return a.files > b.files; });
        const std::string lineBreak = kLineBreak.bytes();
        std::string said = files(failures_) + " could not be copied." + lineBreak;
        for (const Trouble& trouble : mostFirst)
            said += lineBreak + std::to_string(trouble.files) + ": " + trouble.kind +
                    (trouble.files == 1 ? " (\"" : " (first: \"") + trouble.first + "\").";
        platform::MsgBox(Text(said));
    }

private:
    // A kind of trouble, the number of files it hit and the first of them.
    struct Trouble {
        std::string kind;
        std::int32_t files;
        std::string first;
    };

    void noteFailure(const std::string& kind, const std::string& file)
    {
        ++failures_;
        const auto known = std::find_if(troubles_.begin(), troubles_.end(),
                                        [&](const Trouble& trouble) { return trouble.kind == kind; });
        if (known != troubles_.end())
            ++known->files;
        else
            troubles_.push_back({kind, 1, file});
    }

    Window1& window_;
    std::int32_t failures_ = 0;
    // In the order they were first met.
    std::vector<Trouble> troubles_;
    bool finished_ = false;
};

// The destination folder of a copy, made when it is missing. A destination that cannot be
// found or made, that is a file, or that is a link leading off its disk (which is never
// followed) is said plainly, before anything is copied.
Ref<FolderItem> destinationFolder(const Text& path)
{
    const Ref<FolderItem> destination = platform::GetFolderItem(path);
    if (!destination)
        throw platform::RuntimeException("The destination folder \"" + path.bytes() +
                                          "\" cannot be found. Is its disk still connected?");
    if (!destination->staysOnVolume())
        throw platform::RuntimeException("The destination \"" + path.bytes() + "\" is a link that leads off its disk.");
    if (destination->Exists() && !destination->Directory())
        throw platform::RuntimeException("The destination \"" + path.bytes() + "\" is a file, not a folder.");
    if (!destination->Exists()) {
        const platform::FolderOutcome created = destination->CreateAsFolder();
        if (!created.succeeded())
            throw platform::RuntimeException(created.reason);
    }
    return destination;
}

} // namespace

void Window1::copyBtn_Action()
{
    if (platform::StringCompare(me<platform::PushButton>()->Caption(), Text("Copy All")) == 0) {
        const Text question = Text("Copy all") + kLineBreak + kLineBreak + "Are you sure to copy all the " +
                              control<platform::StaticText>("iPodFiles")->Text() + " files to the " +
                              control<platform::EditField>("copyTo")->Text() + " folder?";
        if (platform::MsgBox(question, 36, Text()) == 6)
            copyAll();
        return;
    }

    CopyRun run(*this);
    control<platform::Timer>("Timer2")->setPeriod(100000);
    const std::int32_t lastRow = control<platform::Listbox>("ListBox1")->ListCount() - 1;
    const std::int32_t selectedCount = control<platform::Listbox>("ListBox1")->SelCount();
    Window2::instance()->Show();
    progressControl<platform::ProgressBar>("ProgressBar1")->setVisible(true);
    progressControl<platform::ProgressBar>("ProgressBar1")->setMaximum(selectedCount);
    progressControl<platform::ProgressBar>("ProgressBar1")->setValue(run.counter);
    progressControl<platform::StaticText>("stopInfo")->setVisible(true);
    progressControl<platform::StaticText>("copyCounter")->setVisible(true);
    progressControl<platform::StaticText>("copyCounter")->setText(counterText(run.counter, selectedCount));
    progressControl<platform::ProgressBar>("ProgressBar1")->Refresh(true);
    Window2::instance()->Refresh(true);
    const Ref<FolderItem> destination = destinationFolder(control<platform::EditField>("copyTo")->Text());

    for (std::int32_t row = lastRow; row >= 0; --row) {
        if (platform::UserCancelled()) {
            platform::MsgBox(abortMessage(run.copied));
            break;
        }
        if (control<platform::Listbox>("ListBox1")->Selected(row)) {
            const Text path = control<platform::Listbox>("ListBox1")->Cell(row, 3);
            run.copy(platform::GetFolderItem(path), path, *destination);
            ++run.counter;
            progressControl<platform::ProgressBar>("ProgressBar1")->setValue(run.counter);
            progressControl<platform::StaticText>("copyCounter")->setText(counterText(run.counter, selectedCount));
            progressControl<platform::ProgressBar>("ProgressBar1")->Refresh(true);
            Window2::instance()->Refresh(true);
        }
        platform::RuntimeBackgroundTask();
    }

    run.finish();
    Window2::instance()->Close();
    control<platform::Timer>("Timer2")->setPeriod(100);
    run.reportFailures();
}

void Window1::copyAll()
{
    CopyRun run(*this);
    const Ref<FolderItem> destination = destinationFolder(control<platform::EditField>("copyTo")->Text());
    const std::int32_t total = platform::CvtReal64ToSInt32(platform::Val(control<platform::StaticText>("iPodFiles")->Text()));
    Window2::instance()->Show();
    control<platform::Timer>("Timer2")->setPeriod(100000);
    progressControl<platform::ProgressBar>("ProgressBar1")->setVisible(true);
    progressControl<platform::ProgressBar>("ProgressBar1")
        ->setMaximum(platform::CvtReal64ToSInt32(platform::Val(control<platform::StaticText>("iPodFiles")->Text())));
    progressControl<platform::ProgressBar>("ProgressBar1")->setValue(run.counter);
    progressControl<platform::StaticText>("stopInfo")->setVisible(true);
    progressControl<platform::StaticText>("copyCounter")->setVisible(true);
    progressControl<platform::StaticText>("copyCounter")->setText(counterText(run.counter, total));
    Window2::instance()->Refresh(true);

    // The number of music folders and the device path are read anew for every folder: a new
    // scan at a yield takes effect from the next folder on.
    for (std::int32_t folderIndex = 0; folderIndex <= control<platform::Listbox>("folders")->ListCount() - 1;
         ++folderIndex) {
        const Text folderPath = musicFolderPath(folderIndex);
        const Ref<FolderItem> folder = platform::GetFolderItem(folderPath);
        if (!folder)
            throw platform::RuntimeException("The music folder \"" + folderPath.bytes() +
                                              "\" can no longer be found: the player may have been removed. " +
                                              run.tally());
        const std::int32_t entryCount = folder->Count();
        for (std::int32_t entryIndex = 1; entryIndex <= entryCount; ++entryIndex) {
            if (platform::UserCancelled()) {
                platform::MsgBox(abortMessage(run.copied));
                folderIndex = control<platform::Listbox>("folders")->ListCount() - 1;
                break;
            }
            const Ref<FolderItem> entry = folder->Item(entryIndex);
            const Text entryPath = entry ? entry->AbsolutePath() : folderPath + Str(entryIndex);
            run.copy(entry ? platform::GetFolderItem(entryPath) : Ref<FolderItem>(), entryPath, *destination);
            ++run.counter;
            progressControl<platform::ProgressBar>("ProgressBar1")->setValue(run.counter);
            progressControl<platform::StaticText>("copyCounter")->setText(counterText(run.counter, total));
            Window2::instance()->Refresh(true);
            platform::RuntimeBackgroundTask();
        }
        platform::RuntimeBackgroundTask();
    }

    run.finish();
    control<platform::Timer>("Timer2")->setPeriod(100);
    Window2::instance()->Close();
    run.reportFailures();
}

} // namespace parvolin
