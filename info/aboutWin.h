#pragma once

// The About window: the program's name and version, the maker's copyright line, web and
// e-mail links that light up under the pointer, the donation button, and the logo that
// changes under the pointer. "OK", either link, or the close box closes it.

#include "description/Description.h"
#include "ui/Ui.h"

namespace parvolin {

class aboutWin : public platform::Window {
public:
    static constexpr const char* kClassName = "aboutWin.aboutWin";
    static constexpr std::string_view kTypeName = "aboutWin";

    // The maker's addresses; the host is a placeholder under a reserved example domain.
    static constexpr const char* kCopyright = "\xC2\xA9 2026 The Parvolin developers";
    static constexpr const char* kWebAddress = "https://parvolin.example.org";
    static constexpr const char* kMailAddress = "parvolin@example.org";
    static constexpr const char* kDonationPage = "https://parvolin.example.org/paypal.php?app=Parvolin";

    // The implicit instance: the open About window, or a new one, built and opened.
    static platform::Ref<aboutWin> instance();

    // Window hooks.
    void Layout();
    void CreateControls();
    void CreateControls0();

    // Control events.
    void Canvas1_MouseEnter();
    void Canvas1_MouseExit();
    void PushButton1_Action();
    bool StaticText4_MouseDown(std::int32_t x, std::int32_t y);
    void StaticText4_MouseEnter();
    void StaticText4_MouseExit();
    bool StaticText5_MouseDown(std::int32_t x, std::int32_t y);
    void StaticText5_MouseEnter();
    void StaticText5_MouseExit();
    void BevelButton1_Action();

    static const std::vector<platform::WindowTableRow>& windowTable();
    static const std::vector<platform::ControlTableRow>& controlTable();
    static platform::ClassDefinition classDefinition();

private:
    // A link label under the pointer is underlined and red; elsewhere plain and black.
    void lightLink(bool underPointer);
};

} // namespace parvolin
