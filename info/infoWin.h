#pragma once

// The help window: four pictures of the main window, each beside its help text. Its
// content never changes; "Close" or the close box closes it.

#include "description/Description.h"
#include "ui/Ui.h"

namespace parvolin {

class infoWin : public platform::Window {
public:
    static constexpr const char* kClassName = "infoWin.infoWin";
    static constexpr std::string_view kTypeName = "infoWin";

    // The implicit instance: the open help window, or a new one, built and opened.
    static platform::Ref<infoWin> instance();

    // Window hooks.
    void Layout();
    void CreateControls();
    void CreateControls0();

    // Control events.
    void PushButton1_Action();

    static const std::vector<platform::WindowTableRow>& windowTable();
    static const std::vector<platform::ControlTableRow>& controlTable();
    static platform::ClassDefinition classDefinition();
};

} // namespace parvolin
