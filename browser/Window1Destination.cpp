// The destination folder, and the state of the Play and Copy buttons.

#include "browser/Window1.h"

#include "dialogs/Dialogs.h"
#include "files/Files.h"

namespace parvolin {

using platform::Ref;
using platform::Text;

namespace {

// A control of the main window, looked up by name at every use.
template <class C>
Ref<C> controlOf(Window1& window, std::string_view name)
{
    return platform::RuntimeWindowControlByName<C>(Ref<platform::Window>(platform::RefTo(window)), name);
}

bool isEmpty(const Text& text) { return platform::StringCompare(text, Text()) == 0; }

} // namespace

void Window1::copyToBtn_Action()
{
    const Ref<platform::SelectFolderDialog> dialog = platform::RuntimeNewObject<platform::SelectFolderDialog>();
    dialog->setActionButtonCaption("Select as destination");
    dialog->setTitle("Parvolin");
    dialog->setPromptText("Please select the destination folder");
    // The Desktop every time; the previous choice is not remembered.
    dialog->setInitialDirectory(platform::SpecialFolderDesktop());
    const Ref<platform::FolderItem> folder = dialog->ShowModal();
    if (!folder)
        return;
    // Setting the text raises the field's TextChange, which runs copyTo_TextChange.
    controlOf<platform::EditField>(*this, "copyTo")->setText(folder->AbsolutePath());
}

void Window1::copyTo_TextChange()
{
    if (!isEmpty(me<platform::EditField>()->Text()) && controlOf<platform::Listbox>(*this, "ListBox1")->ListIndex() > -1)
        controlOf<platform::PushButton>(*this, "copyBtn")->setEnabled(true);
}

void Window1::ListBox1_Change()
{
    // While a preview is loaded the selection leaves both buttons alone.
    if (soundFile)
        return;
    if (me<platform::Listbox>()->ListIndex() == -1) {
        controlOf<platform::PushButton>(*this, "playBtn")->setEnabled(false);
        controlOf<platform::PushButton>(*this, "copyBtn")->setEnabled(false);
        return;
    }
    controlOf<platform::PushButton>(*this, "playBtn")->setEnabled(true);
    if (!isEmpty(controlOf<platform::EditField>(*this, "copyTo")->Text()))
        controlOf<platform::PushButton>(*this, "copyBtn")->setEnabled(true);
}

void Window1::Timer2_Action()
{
    // The Option key is polled here; its caption tells copyBtn_Action which copy to run.
    if (platform::Keyboard::OptionKey()) {
        controlOf<platform::PushButton>(*this, "copyBtn")->setCaption("Copy All");
        if (!isEmpty(controlOf<platform::EditField>(*this, "copyTo")->Text()))
            controlOf<platform::PushButton>(*this, "copyBtn")->setEnabled(true);
    } else {
        controlOf<platform::PushButton>(*this, "copyBtn")->setCaption("Copy");
    }
}

} // namespace parvolin
