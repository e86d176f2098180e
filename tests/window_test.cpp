// Windows themselves: their frame kinds, where they are placed, and the descriptions they
// refuse.

#include "ControlFixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace controltest;

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { TestWindow::declare(); }
    void TearDown() override
    {
        for (const Ref<TestWindow>& window : windows)
            window->Close();
        windows.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Ref<TestWindow> open(std::int32_t frame)
    {
        auto window = RuntimeNewObject<TestWindow>();
        SetProperties(*window, windowDescription(300, 200, frame));
        window->Constructor();
        windows.push_back(window);
        return window;
    }

    std::vector<Ref<TestWindow>> windows;
};

// What the error of applying `description` says, or "no error".
std::string errorOf(Object& target, const Text& description)
{
    try {
        SetProperties(target, description);
    } catch (const DescriptionError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST_F(WindowTest, FrameKinds1And2AreModalForTheWholeApplicationWhileOpenAndKinds0And8AreNot)
{
    auto document = open(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(document->widget()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    auto* button = new QPushButton(QStringLiteral("Go"), document->content());
    int presses = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++presses; });
    button->show();
    // Clicks come as the desktop sends them, to the window, where modality applies.
    const auto click = [&] {
        QTest::mouseClick(document->widget()->windowHandle(), Qt::LeftButton, {},
                          button->mapTo(document->widget(), button->rect().center()));
    };
    click();
    ASSERT_EQ(presses, 1);

    for (std::int32_t frame : {1, 2}) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        auto dialog = open(frame);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->widget()));
        EXPECT_EQ(QApplication::activeModalWidget(), dialog->widget());
        click();
        EXPECT_EQ(presses, 1) << "the window below takes no click while the dialog is open";
        dialog->Close();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        click();
        EXPECT_EQ(presses, 2) << "it does once the dialog is closed";
        presses = 1;
    }

    // A sheet shown on its own (the progress window during a copy) is a dialog that leaves
    // the window below usable.
    auto sheet = open(8);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet->widget()));
    EXPECT_TRUE(sheet->widget()->windowFlags().testFlag(Qt::Dialog));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    click();
    EXPECT_EQ(presses, 2);
    sheet->Close();
}

TEST_F(WindowTest, Placement0LetsTheDesktopPlaceTheWindow)
{
    auto window = open(0);
    EXPECT_FALSE(window->widget()->testAttribute(Qt::WA_Moved)) << "the program chose no place";
}

TEST_F(WindowTest, ADescriptionWithAnUnknownKeyOrCutShortIsAnErrorThatNamesTheWindowOrControl)
{
    auto window = open(0);
    const auto expectNamed = [](const std::string& error, const std::string& who, const std::string& what) {
        EXPECT_NE(error.find(who), std::string::npos) << error;
        EXPECT_NE(error.find(what), std::string::npos) << error;
    };
    // A control's key is not a window's, and the other way round.
    expectNamed(errorOf(*window, DescriptionWriter().add("Caption", Text("OK")).text()), "TestWindow", "\"Caption\"");
    expectNamed(errorOf(*window, DescriptionWriter().add("Colour", 1).text()), "TestWindow", "\"Colour\"");
    expectNamed(errorOf(*window, Text(std::string("Width ") + '\0')), "TestWindow", "cut short");
    expectNamed(errorOf(*window, Text("Width")), "TestWindow", "cut short");

    auto button = window->New<PushButton>();
    button->Constructor();
    window->AddControl(Text("okBtn"), button);
    expectNamed(errorOf(*button, DescriptionWriter().add("Title", Text("OK")).text()), "TestWindow, control okBtn",
                "\"Title\"");
    expectNamed(errorOf(*button, DescriptionWriter().add("Colour", 1).text()), "TestWindow, control okBtn",
                "\"Colour\"");
    expectNamed(errorOf(*button, Text(std::string("Caption ") + '\0' + '\0' + '\0' + '\x09' + "OK")),
                "TestWindow, control okBtn", "cut short");
}
