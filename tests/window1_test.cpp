// The main window as start-up leaves it: its controls, its places and its instance; and
// both of the program's windows built as their tables describe them.

#include "PlayerFixture.h"
#include "TestSupport.h"
#include "browser/Window1.h"
#include "browser/Window2.h"
#include "runtime/EventLoop.h"
#include "ui/EditField.h"
#include "ui/Listbox.h"
#include "ui/BevelButton.h"
#include "ui/PopupMenu.h"
#include "ui/PushButton.h"
#include "ui/StaticText.h"
#include "ui/Timer.h"
#include "shell/Startup.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;
using parvolin::Window1;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parvolin::initializeClassRecords();
        window = Window1::instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->widget()));
    }
    void TearDown() override
    {
        if (window)
            window->Close();
        window.reset();
        releaseWindowLists();
    }

    template <class C>
    Ref<C> control(const char* name)
    {
        Ref<C> found = RuntimeWindowControlByName<C>(Ref<Window>(window), name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    QRect placeOf(const char* name)
    {
        const auto c = control<RectControl>(name);
        return QRect(c->Left(), c->Top(), c->Width(), c->Height());
    }

    testsupport::FakeVolumes volumes; // none with a player
    testsupport::ReportCatcher reports;
    Ref<Window1> window;
};

// The value a row gives for a key, or the default when it gives none.
template <class T>
T given(const ControlTableRow& row, std::string_view key, T fallback)
{
    for (const DescriptionEntry& entry : row.otherValues)
        if (entry.key == key)
            return std::get<T>(entry.value);
    return fallback;
}

template <class C>
std::shared_ptr<C> as(const Ref<Control>& control)
{
    return std::dynamic_pointer_cast<C>(control.shared());
}

// What a control shows of its row's text column: a list its headings, a pop-up menu its
// rows.
Text shownText(const Ref<Control>& control)
{
    if (const auto label = as<StaticText>(control))
        return label->Text();
    if (const auto field = as<EditField>(control))
        return field->Text();
    if (const auto button = as<PushButton>(control))
        return button->Caption();
    if (const auto bevel = as<BevelButton>(control))
        return bevel->Caption();
    Text joined;
    const auto join = [&](const Text& part, const char* separator) {
        joined = joined.empty() ? part : joined + separator + part;
    };
    if (const auto list = as<Listbox>(control))
        for (std::int32_t column = 0; !list->Heading(column).empty(); ++column)
            join(list->Heading(column), "\t");
    if (const auto popup = as<PopupMenu>(control))
        for (std::int32_t row = 0; row < popup->ListCount(); ++row)
            join(popup->RowText(row), "\r");
    return joined;
}

// Every control of the window is there, of its row's class, in its row's place (the window
// at its described size), showing its row's text, visible and enabled as the row says.
// `rewritten` names the labels whose text the window's Open event has replaced already.
void expectBuiltFromItsTable(const Ref<Window>& window, const std::vector<ControlTableRow>& rows,
                             const std::vector<std::string_view>& rewritten = {})
{
    EXPECT_EQ(window->controls().size(), rows.size());
    for (const ControlTableRow& row : rows) {
        SCOPED_TRACE(std::string(row.name));
        const Ref<Control> control = window->controlByName(row.name);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->classRecord()->name(), row.generatedClass.empty() ? row.className : row.generatedClass);
        if (const auto timer = as<Timer>(control)) {
            EXPECT_EQ(timer->Mode(), given<std::int32_t>(row, "Mode", -1));
            EXPECT_EQ(timer->Period(), given<std::int32_t>(row, "Period", -1));
            continue;
        }
        const auto placed = as<RectControl>(control);
        ASSERT_TRUE(placed);
        EXPECT_EQ(QRect(placed->Left(), placed->Top(), placed->Width(), placed->Height()),
                  QRect(*row.left, *row.top, *row.width, *row.height));
        EXPECT_EQ(placed->Visible(), given(row, "Visible", true));
        EXPECT_EQ(placed->Enabled(), given(row, "Enabled", true));
        if (std::find(rewritten.begin(), rewritten.end(), row.name) == rewritten.end()) {
            EXPECT_EQ(shownText(control), row.textOrCaption.value_or(Text()));
        }
    }
}

} // namespace

TEST_F(MainWindowTest, EveryControlIsBuiltAsItsRowDescribesIt)
{
    // The scan when the window opens replaces the texts of the device count and the device
    // path (checked where the opening state is).
    expectBuiltFromItsTable(Ref<Window>(window), Window1::controlTable(), {"iPods", "iPodPath"});
}

TEST_F(MainWindowTest, TheProgressWindowsEveryControlIsBuiltAsItsRowDescribesIt)
{
    const Ref<parvolin::Window2> progress = parvolin::Window2::instance();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(progress->widget()));
    EXPECT_EQ(progress->Width(), 580);
    EXPECT_EQ(progress->Height(), 121);
    expectBuiltFromItsTable(Ref<Window>(progress), parvolin::Window2::controlTable());
    progress->Close();
}

TEST_F(MainWindowTest, OpensWithTheDescribedStateAndTheFirstScansTexts)
{
    EXPECT_EQ(window->Title(), Text("a"));
    EXPECT_EQ(window->Width(), 580);
    EXPECT_EQ(window->Height(), 580);
    EXPECT_EQ(window->controls().size(), 14u);

    EXPECT_FALSE(control<PushButton>("playBtn")->Enabled());
    EXPECT_EQ(control<PushButton>("playBtn")->Caption(), Text("Play"));
    EXPECT_FALSE(control<PushButton>("copyBtn")->Enabled());
    EXPECT_EQ(control<PushButton>("copyBtn")->Caption(), Text("Copy"));
    EXPECT_EQ(control<StaticText>("iPodFiles")->Text(), Text("0 files..."));
    // The Open event's scan, which found no player, replaced the labels' first texts.
    EXPECT_EQ(control<StaticText>("iPods")->Text(), Text("Found 0 iPod(s)"));
    EXPECT_FALSE(control<StaticText>("iPodPath")->Visible());
    EXPECT_EQ(control<StaticText>("iPodPath")->Text(), Text(":iPod_Control:"));
    EXPECT_EQ(control<EditField>("copyTo")->Text(), Text(""));
    EXPECT_EQ(control<PopupMenu>("iPodsMenu")->ListCount(), 0);
    EXPECT_EQ(control<Listbox>("ListBox1")->ColumnCount(), 4);
    EXPECT_FALSE(window->SoundName);
    EXPECT_FALSE(window->soundFile);
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(MainWindowTest, HasItsMenuBarAndTimersAndWindowButtons)
{
    QMenuBar* bar = window->widget()->menuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "Edit");
    EXPECT_EQ(bar->actions()[1]->text(), "Info");

    const Qt::WindowFlags flags = window->widget()->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->content()->minimumSize(), QSize(500, 300));

    const auto timer1 = control<Timer>("Timer1");
    const auto timer2 = control<Timer>("Timer2");
    EXPECT_EQ(timer1->Period(), 3000);
    EXPECT_EQ(timer2->Period(), 100);
    EXPECT_EQ(timer1->classRecord()->name(), "Window1.Timer1");
    EXPECT_TRUE(timer2->hasHandler("Action"));
}

TEST_F(MainWindowTest, ControlsFollowTheirLocksWhenTheWindowGrowsAndShrinks)
{
    EXPECT_EQ(placeOf("Rectangle2"), QRect(21, 109, 538, 427));
    EXPECT_EQ(placeOf("folders"), QRect(22, 110, 60, 425));
    EXPECT_EQ(placeOf("copyBtn"), QRect(486, 75, 73, 20));

    window->content()->resize(680, 630); // 100 wider, 50 taller
    EXPECT_EQ(placeOf("Rectangle2"), QRect(21, 109, 638, 477));   // L T R B: stretches
    EXPECT_EQ(placeOf("folders"), QRect(22, 110, 60, 475));       // L T B: taller only
    EXPECT_EQ(placeOf("ListBox1"), QRect(85, 110, 573, 475));     // L T R B
    EXPECT_EQ(placeOf("playBtn"), QRect(586, 593, 74, 20));       // R B: moves
    EXPECT_EQ(placeOf("iPodFiles"), QRect(18, 596, 641, 16));     // L R B
    EXPECT_EQ(placeOf("iPodPath"), QRect(332, 45, 327, 67));      // L T R B
    EXPECT_EQ(placeOf("refreshBtn"), QRect(255, 44, 66, 19));     // none: stays
    EXPECT_EQ(placeOf("iPodsMenu"), QRect(115, 44, 128, 20));     // none
    EXPECT_EQ(placeOf("copyTo"), QRect(114, 73, 457, 22));        // L T R: wider
    EXPECT_EQ(placeOf("copyToBtn"), QRect(21, 75, 86, 20));       // L T
    EXPECT_EQ(placeOf("copyBtn"), QRect(586, 75, 73, 20));        // T R: moves right

    window->content()->resize(580, 580);
    EXPECT_EQ(placeOf("ListBox1"), QRect(85, 110, 473, 425));
    EXPECT_EQ(placeOf("playBtn"), QRect(486, 543, 74, 20));
}

TEST_F(MainWindowTest, ImplicitInstanceIsTheOpenWindowAndANewOneAfterClose)
{
    EXPECT_EQ(Window1::instance().get(), window.get());
    Window1* first = window.get();
    window->Close();
    window.reset();
    EXPECT_FALSE(GetImplicitWindow("Window1.Window1"));

    window = Window1::instance();
    EXPECT_NE(window.get(), nullptr);
    EXPECT_TRUE(window->isOpen());
    EXPECT_EQ(window->controls().size(), 14u);
    EXPECT_EQ(GetImplicitWindow("Window1.Window1").get(), window.get());
    (void)first;
}

TEST_F(MainWindowTest, EveryControlEventIsBoundToItsHandler)
{
    const std::pair<const char*, const char*> bindings[] = {
        {"folders", "KeyDown"},     {"folders", "CellClick"},  {"ListBox1", "DoubleClick"}, {"ListBox1", "Change"},
        {"Timer1", "Action"},       {"playBtn", "Action"},     {"Timer2", "Action"},        {"refreshBtn", "Action"},
        {"iPodsMenu", "Change"},    {"copyTo", "TextChange"},  {"copyToBtn", "Action"},     {"copyBtn", "Action"},
    };
    for (const auto& [name, event] : bindings)
        EXPECT_TRUE(window->controlByName(name)->hasHandler(event)) << name << " " << event;
    EXPECT_FALSE(window->controlByName("iPods")->hasHandler("MouseDown"));
}
