// A handler learns which control fired ("me"), also when another event runs inside it.

#include "ControlFixture.h"

#include "ui/ControlCreation.h"

#include <QPushButton>

using namespace controltest;

namespace {

class MeWindow : public TestWindow {
public:
    static constexpr const char* kClassName = "MeWindow.MeWindow";

    std::vector<std::string> seen;
    std::function<void()> inside;

    void Action()
    {
        seen.push_back(me<PushButton>()->Name().bytes());
        if (inside) {
            auto nested = std::move(inside);
            nested();
        }
        seen.push_back(me<PushButton>()->Name().bytes());
    }
    Ref<Control> meOutsideAHandler() const { return me<Control>(); }
};

class EventSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClassRegistry& registry = ClassRegistry::instance();
        if (!registry.find(MeWindow::kClassName)) {
            registry.declare({MeWindow::kClassName, "Window",
                              [] { return std::vector<Operation>{method<&MeWindow::Action>("Action")}; }});
            registry.build(MeWindow::kClassName);
        }
        window = RuntimeNewObject<MeWindow>();
        SetProperties(*window, windowDescription(300, 200));
        window->Constructor();
        for (const char* name : {"first", "second"}) {
            const ControlTableRow row{1, name, "PushButton", {}, 10, 10, 80, 20, "none", Text(name), {{"TabIndex", 0}},
                                      {{"Action", "Action"}}};
            createControl(*window, row, encodeControlDescription(row));
        }
    }
    void TearDown() override
    {
        window->Close();
        window.reset();
    }

    QPushButton* button(const char* name) const
    {
        return qobject_cast<QPushButton*>(RuntimeWindowControlByName<PushButton>(Ref<Window>(window), name)->widget());
    }

    Ref<MeWindow> window;
};

TEST_F(EventSourceTest, MeIsTheControlThatFiredAndComesBackAfterANestedEvent)
{
    window->inside = [this] { button("second")->click(); };
    button("first")->click();
    EXPECT_EQ(window->seen, (std::vector<std::string>{"first", "second", "second", "first"}));
}

TEST_F(EventSourceTest, MeOutsideAHandlerIsTheNilObjectException)
{
    EXPECT_THROW(window->meOutsideAHandler(), NilObjectException);
}

} // namespace
