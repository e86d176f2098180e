#pragma once

// The copy progress window: a fixed line, a progress bar, a counter and the hint that
// Command-period stops the copy. It has no behaviour of its own; the copy code fills it.

#include "description/Description.h"
#include "ui/Ui.h"

namespace parvolin {

class Window2 : public platform::Window {
public:
    static constexpr const char* kClassName = "Window2.Window2";
    static constexpr std::string_view kTypeName = "Window2";

    static platform::Ref<Window2> instance();

    void Layout();
    void CreateControls();
    void CreateControls0();

    static const std::vector<platform::WindowTableRow>& windowTable();
    static const std::vector<platform::ControlTableRow>& controlTable();
    static platform::ClassDefinition classDefinition();
};

} // namespace parvolin
