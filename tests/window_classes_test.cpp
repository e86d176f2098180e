// What the window classes' records offer beyond their handlers: a member per control, the
// progress window built anew after every close, and the generated timer classes.

#include "TestSupport.h"
#include "browser/Window1.h"
#include "browser/Window2.h"
#include "shell/Startup.h"
#include "ui/ProgressBar.h"
#include "ui/StaticText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace platform;
using parvolin::Window1;
using parvolin::Window2;

namespace {

class WindowClassesTest : public ::testing::Test {
protected:
    void SetUp() override { parvolin::initializeClassRecords(); }
    void TearDown() override { releaseWindowLists(); }

    static Value call(const Ref<Object>& object, std::string_view name, const Arguments& arguments = {})
    {
        const Operation* operation = object->classRecord()->find(name);
        if (!operation || !operation->body)
            throw std::runtime_error("no operation " + std::string(name));
        return operation->body(*object, arguments);
    }

    testsupport::ReportCatcher reports;
};

// The members a window class lists after its own methods: the last `count` operations.
std::vector<const Operation*> lastOperations(const ClassRecord& record, std::size_t count)
{
    std::vector<const Operation*> last;
    const auto& operations = record.operations();
    for (std::size_t i = operations.size() - count; i < operations.size(); ++i)
        last.push_back(&operations[i]);
    return last;
}

} // namespace

TEST_F(WindowClassesTest, EachWindowListsAMemberPerControlInCreationOrderThatYieldsIt)
{
    struct Member {
        const char* name;
        const char* signature;
    };
    struct Case {
        Ref<Window> window;
        std::vector<Member> members;
    };
    const Ref<Window> main = Window1::instance();
    const Ref<Window> progress = Window2::instance();
    const Case cases[] = {
        {.window = progress,
         .members = {{"copyCounter", "(  ) as StaticText"},
                     {"stopInfo", "(  ) as StaticText"},
                     {"ProgressBar1", "(  ) as ProgressBar"},
                     {"StaticText1", "(  ) as StaticText"}}},
        {.window = main,
         .members = {{"Rectangle2", "(  ) as Rectangle"},   {"folders", "(  ) as Listbox"},
                     {"ListBox1", "(  ) as Listbox"},       {"Timer1", "(  ) as Window1.Timer1"},
                     {"playBtn", "(  ) as PushButton"},     {"Timer2", "(  ) as Window1.Timer2"},
                     {"iPodFiles", "(  ) as StaticText"},   {"iPodPath", "(  ) as StaticText"},
                     {"refreshBtn", "(  ) as PushButton"},  {"iPodsMenu", "(  ) as PopupMenu"},
                     {"iPods", "(  ) as StaticText"},       {"copyTo", "(  ) as EditField"},
                     {"copyToBtn", "(  ) as PushButton"},   {"copyBtn", "(  ) as PushButton"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window->registeredName());
        const auto members = lastOperations(*c.window->classRecord(), c.members.size());
        for (std::size_t i = 0; i < members.size(); ++i) {
            EXPECT_EQ(members[i]->name, c.members[i].name);
            EXPECT_EQ(members[i]->signature, c.members[i].signature);
            EXPECT_FALSE(members[i]->hidden);
            const Value yielded = call(c.window, c.members[i].name);
            EXPECT_EQ(std::get<Ref<Object>>(yielded), Ref<Object>(c.window->controlByName(c.members[i].name)))
                << c.members[i].name;
        }
    }
    // Window2's members come right after its three hooks.
    const auto& operations = progress->classRecord()->operations();
    const auto own = std::find_if(operations.begin(), operations.end(),
                                  [](const Operation& o) { return o.name == "_CreateControls0"; });
    ASSERT_NE(own, operations.end());
    EXPECT_EQ(operations.end() - own, 5);
    progress->Close();
    main->Close();
}

TEST_F(WindowClassesTest, EveryProgressWindowAfterACloseStartsFromItsDescription)
{
    Ref<Window2> first = Window2::instance();
    EXPECT_EQ(Window2::instance().get(), first.get()); // the open one while it is open
    auto bar = RuntimeWindowControlByName<ProgressBar>(Ref<Window>(first), "ProgressBar1");
    auto counter = RuntimeWindowControlByName<StaticText>(Ref<Window>(first), "copyCounter");
    bar->setVisible(true);
    bar->setMaximum(12);
    bar->setValue(3);
    counter->setVisible(true);
    counter->setText("3/12");
    RuntimeWindowControlByName<StaticText>(Ref<Window>(first), "stopInfo")->setVisible(true);
    first->Close();

    const Ref<Window2> second = Window2::instance();
    ASSERT_NE(second.get(), first.get());
    EXPECT_TRUE(second->isOpen());
    EXPECT_EQ(second->Title(), Text("Untitled"));
    bar = RuntimeWindowControlByName<ProgressBar>(Ref<Window>(second), "ProgressBar1");
    counter = RuntimeWindowControlByName<StaticText>(Ref<Window>(second), "copyCounter");
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(bar->Maximum(), 100);
    EXPECT_FALSE(counter->Visible());
    EXPECT_EQ(counter->Text(), Text("000/000"));
    EXPECT_FALSE(RuntimeWindowControlByName<StaticText>(Ref<Window>(second), "stopInfo")->Visible());
    EXPECT_TRUE(RuntimeWindowControlByName<StaticText>(Ref<Window>(second), "StaticText1")->Visible());
    second->Close();
}

TEST_F(WindowClassesTest, TimerClassesStoreTheWindowAndIndexTheFrameworkGivesThem)
{
    const Ref<Window1> main = Window1::instance();
    const Ref<Object> timer(main->controlByName("Timer2"));
    const ClassRecord& record = *timer->classRecord();
    ASSERT_EQ(record.name(), "Window1.Timer2");
    std::vector<std::string> own;
    for (const Operation* o : lastOperations(record, 5))
        own.push_back(o->name);
    EXPECT_EQ(own, (std::vector<std::string>{"_SetWindow", "Window", "_Index", "_SetIndex", "Constructor"}));
    EXPECT_EQ(record.superclass()->name(), "Timer");

    EXPECT_EQ(std::get<std::int32_t>(call(timer, "_Index")), kNoControlArray);
    call(timer, "_SetIndex", {std::int32_t{4}});
    EXPECT_EQ(std::get<std::int32_t>(call(timer, "_Index")), 4);

    EXPECT_EQ(std::get<Ref<Object>>(call(timer, "Window")), Ref<Object>(main));
    {
        Ref<Window2> other = Window2::instance();
        call(timer, "_SetWindow", {Ref<Object>(other)});
        EXPECT_EQ(std::get<Ref<Object>>(call(timer, "Window")), Ref<Object>(other));
        other->Close();
    }
    // The link does not keep a window alive: once it has gone, the timer has none.
    EXPECT_EQ(std::get<Ref<Object>>(call(timer, "Window")), Ref<Object>());
    main->Close();
}
