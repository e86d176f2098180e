#pragma once

// What the control tests share: a window whose methods record the events they handle, and
// controls made on it the way a generated window makes them.

#include "TestSupport.h"

#include "description/DescriptionTable.h"
#include "ui/Controls.h"
#include "ui/Window.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace controltest {

using namespace platform;

class TestWindow : public Window {
public:
    static constexpr const char* kClassName = "TestWindow.TestWindow";
    static constexpr std::string_view kTypeName = "TestWindow";

    std::vector<std::string> log;
    // Runs inside every handler, after the event is logged (to look at the controls, to
    // throw, to close the window).
    std::function<void()> during;
    bool reply = false; // what the Boolean handlers return

    void Change() { note("Change"); }
    void Action() { note("Action"); }
    void TextChange() { note("TextChange"); }
    void DoubleClick() { note("DoubleClick"); }
    bool KeyDown(Text key)
    {
        note("KeyDown " + std::to_string(Asc(key)));
        return reply;
    }
    bool CellClick(std::int32_t row, std::int32_t column, std::int32_t x, std::int32_t y)
    {
        note("CellClick " + std::to_string(row) + " " + std::to_string(column) + " " + std::to_string(x) + " " +
             std::to_string(y));
        return reply;
    }
    bool MouseDown(std::int32_t x, std::int32_t y)
    {
        note("MouseDown " + std::to_string(x) + " " + std::to_string(y));
        return reply;
    }
    void MouseEnter() { note("MouseEnter"); }
    void MouseExit() { note("MouseExit"); }

    static void declare()
    {
        ClassRegistry& registry = ClassRegistry::instance();
        if (registry.find(kClassName))
            return;
        registry.declare(ClassDefinition{kClassName, "Window", [] {
                                             return std::vector<Operation>{
                                                 method<&TestWindow::Change>("Change"),
                                                 method<&TestWindow::Action>("Action"),
                                                 method<&TestWindow::TextChange>("TextChange"),
                                                 method<&TestWindow::DoubleClick>("DoubleClick"),
                                                 method<&TestWindow::KeyDown>("KeyDown"),
                                                 method<&TestWindow::CellClick>("CellClick"),
                                                 method<&TestWindow::MouseDown>("MouseDown"),
                                                 method<&TestWindow::MouseEnter>("MouseEnter"),
                                                 method<&TestWindow::MouseExit>("MouseExit"),
                                             };
                                         }});
        // A generated timer subclass, as a window with a timer declares it.
        registry.declare(ClassDefinition{"TestWindow.Timer1", "Timer", {}});
        registry.build(kClassName);
        registry.build("TestWindow.Timer1");
    }

private:
    void note(std::string entry)
    {
        log.push_back(std::move(entry));
        if (during)
            during();
    }
};

inline Text windowDescription(std::int32_t width, std::int32_t height, std::int32_t frame = 0)
{
    return encodeWindowDescription({
        {"Placement", 0},     {"Width", width},          {"Height", height},        {"MinWidth", 64},
        {"MinHeight", 64},    {"MaxWidth", 32000},       {"MaxHeight", 32000},      {"Frame", frame},
        {"Composite", false}, {"HasBackColor", false},   {"BackColor", Color{}},    {"Title", Text("Test")},
        {"Visible", true},    {"FullScreen", false},     {"MenuBarVisible", true},  {"CloseButton", true},
        {"Resizeable", true}, {"LiveResize", true},      {"MaximizeButton", true},  {"MinimizeButton", true},
        {"MacProcID", 0},
    });
}

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestWindow::declare();
        window = RuntimeNewObject<TestWindow>();
        SetProperties(*window, windowDescription(400, 300));
        window->Constructor();
    }

    void TearDown() override
    {
        if (window)
            window->Close();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Makes, registers and describes a control as a window's CreateControls does.
    template <class C>
    Ref<C> make(const ControlTableRow& row)
    {
        const std::string_view made = row.generatedClass.empty() ? std::string_view(C::kClassName) : row.generatedClass;
        Ref<C> control = window->New<C>(made);
        control->Constructor();
        window->AddControl(Text(row.name), control);
        SetProperties(*control, encodeControlDescription(row));
        return control;
    }

    // Binds the event to the window's method of the same name.
    void bind(const Ref<Control>& control, std::string_view event, const std::string& signature)
    {
        control->InstallEventHandler(event, delegateForMethod(window, std::string(event), signature, "test"));
    }

    Ref<TestWindow> window;
};

} // namespace controltest
