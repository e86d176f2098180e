#pragma once

// The main window: finds the players, lists their music folders and files, previews a
// file, keeps the destination and copies. Its methods are spread over files by concern:
// Window1.cpp (the class and its construction), Window1Description.cpp (its description),
// Window1Discovery.cpp, Window1Listing.cpp, Window1Destination.cpp, Window1Copy.cpp and
// Window1Preview.cpp.

#include "description/Description.h"
#include "menus/Menus.h"
#include "ui/Ui.h"

namespace platform {
class FolderItem;
class Sound;
} // namespace platform

namespace parvolin {

class Window1 : public platform::Window {
public:
    static constexpr const char* kClassName = "Window1.Window1";
    static constexpr std::string_view kTypeName = "Window1";

    ~Window1() override;

    // The implicit instance: the open main window, or a new one, built and opened.
    static platform::Ref<Window1> instance();

    // Window hooks.
    void Layout();
    void CreateControls();
    void CreateControls0();
    void AddMenuHandlers(const platform::Ref<platform::Window>& window);
    void Event_Open();

    // Control events.
    bool folders_KeyDown(const platform::Text& key);
    bool folders_CellClick(std::int32_t row, std::int32_t column, std::int32_t x, std::int32_t y);
    void ListBox1_DoubleClick();
    void ListBox1_Change();
    void Timer1_Action();
    void playBtn_Action();
    void Timer2_Action();
    void refreshBtn_Action();
    void iPodsMenu_Change();
    void copyTo_TextChange();
    void copyToBtn_Action();
    void copyBtn_Action();

    // The items of the window's menu bar, by name.
    platform::Ref<platform::MenuItem> Info();
    platform::Ref<platform::MenuItem> infoHelp();
    platform::Ref<platform::MenuItem> EditMenu();
    platform::Ref<platform::AppleMenuItem> AppleAbout();
    platform::Ref<platform::MenuItem> EditCopy();
    platform::Ref<platform::MenuItem> UntitledMenu0();

    // Menu command "About Parvolin...".
    bool AppleAbout_Action();

    void readiPodFolders();
    void readiPod();
    void readIpodFiles(std::int32_t row);
    void countFiles();
    void copyAll();

    // The colon path of the music folder that a row of the folder list stands for: the
    // device path, "Music:" and the name the row shows. Every walk over the music folders
    // goes through it. A row that the list does not have throws the nil-object exception.
    platform::Text musicFolderPath(std::int32_t row);

    // Declared with the window; nothing reads or writes them.
    std::int32_t ticks = 0;
    std::int32_t success = 0;
    // The preview's sound and file.
    platform::Ref<platform::Sound> SoundName;
    platform::Ref<platform::FolderItem> soundFile;

    // The window's description and its controls, as tables.
    static const std::vector<platform::WindowTableRow>& windowTable();
    static const std::vector<platform::ControlTableRow>& controlTable();

    static platform::ClassDefinition classDefinition();
    // The class generated for one of the window's timers ("Window1.Timer1").
    static platform::ClassDefinition timerClassDefinition(const char* name);

private:
    platform::Ref<platform::MenuItem> menuItem(const char* name);

    // One of this window's controls by name, looked up at every use.
    template <class C>
    platform::Ref<C> control(std::string_view name)
    {
        return platform::RuntimeWindowControlByName<C>(platform::Ref<platform::Window>(platform::RefTo(*this)), name);
    }
};

} // namespace parvolin
