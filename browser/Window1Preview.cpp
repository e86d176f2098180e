// Playing a file as a preview. The Play button's caption tells what a press does; the
// property soundFile says whether a preview is loaded, and while it is, the file list's
// selection leaves the Play and Copy buttons alone. Timer1 notices, at its next tick, that
// a sound has ended by itself and turns the caption back to "Play".

#include "browser/Window1.h"

#include "files/Files.h"
#include "sound/Sound.h"

namespace parvolin {

using platform::Ref;
using platform::Text;

void Window1::playBtn_Action()
{
    const Ref<platform::Window> self = platform::RefTo<platform::Window>(*this);
    const Ref<platform::PushButton> button = me<platform::PushButton>();
    if (platform::StringCompare(button->Caption(), "Play") == 0) {
        const Ref<platform::Listbox> list = platform::RuntimeWindowControlByName<platform::Listbox>(self, "ListBox1");
        const std::int32_t row = list->ListIndex();
        // The button can still be enabled with no row selected (after a preview that ended
        // by itself, the selection no longer touches it): there is then nothing to play.
        if (row == -1)
            return;
        const Text path = list->Cell(row, 3);
        soundFile = platform::GetFolderItem(path);
        // A file that is gone, or that holds no sound, ends the press with a report that
        // names it; the caption stays "Play" and the program goes on. A file that is there
        // but is no sound leaves the preview loaded without a sound, as a preview that
        // ended by itself: the next press on "Play" tries the row selected then.
        if (!soundFile)
            throw platform::RuntimeException("The file \"" + path.bytes() +
                                             "\" cannot be played: it cannot be found.");
        platform::SoundOpening opening = platform::openSound(*soundFile);
        SoundName = std::move(opening.sound);
        if (!SoundName)
            throw platform::RuntimeException(opening.failure.ends_with('.') ? opening.failure : opening.failure + ".");
        SoundName->Play();
        button->setCaption("Stop");
        return;
    }
    SoundName->Stop();
    button->setCaption("Play");
    // The stopped sound stays in SoundName; only the file goes, and with it the preview.
    soundFile.reset();
    if (platform::RuntimeWindowControlByName<platform::Listbox>(self, "ListBox1")->ListIndex() == -1)
        button->setEnabled(false);
}

void Window1::Timer1_Action()
{
    if (!soundFile)
        return;
    // A preview whose file held no sound has none, which counts as not playing.
    if (!SoundName || !SoundName->IsPlaying())
        platform::RuntimeWindowControlByName<platform::PushButton>(platform::RefTo<platform::Window>(*this), "playBtn")
            ->setCaption("Play");
}

} // namespace parvolin
