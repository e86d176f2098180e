#pragma once

// The modal chooser of one existing folder: a title, a prompt above the folders, a caption
// for the button that confirms, and the folder it opens at.

#include "files/FolderItem.h"

namespace platform {

class SelectFolderDialog : public Object {
public:
    static constexpr const char* kClassName = "SelectFolderDialog";
    static constexpr std::string_view kTypeName = "SelectFolderDialog";

    // An empty caption or title leaves the desktop's own.
    void setActionButtonCaption(const Text& caption) { actionButtonCaption_ = caption; }
    void setTitle(const Text& title) { title_ = title; }
    void setPromptText(const Text& prompt) { promptText_ = prompt; }
    // Without one, the chooser opens at the process's current folder.
    void setInitialDirectory(const Ref<FolderItem>& folder) { initialDirectory_ = folder; }

    // Shows the chooser and waits for the user: the chosen folder, or an empty handle when
    // the user cancelled.
    Ref<FolderItem> ShowModal();

    static std::vector<Operation> operations();

private:
    Text actionButtonCaption_;
    Text title_;
    Text promptText_;
    Ref<FolderItem> initialDirectory_;
};

} // namespace platform
