#pragma once

// The main window opened over volumes that a test builds, and ways to read its lists and
// to press its keys and rows as a user does.

#include "PlayerFixture.h"
#include "TestSupport.h"

#include "browser/Window1.h"
#include "shell/Startup.h"
#include "ui/Listbox.h"
#include "ui/PopupMenu.h"
#include "ui/PushButton.h"
#include "ui/StaticText.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace browsertest {

using namespace platform;
using parvolin::Window1;

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override { parvolin::initializeClassRecords(); }

    void TearDown() override
    {
        if (window)
            window->Close();
        window.reset();
        releaseWindowLists();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the main window; its Open event scans the volumes built so far.
    void open() { window = Window1::instance(); }

    template <class C>
    Ref<C> control(const char* name)
    {
        return RuntimeWindowControlByName<C>(Ref<Window>(window), name);
    }
    Text label(const char* name) { return control<StaticText>(name)->Text(); }

    // The texts of one column of a list, row by row.
    std::vector<std::string> column(const char* list, std::int32_t col = 0)
    {
        std::vector<std::string> texts;
        const Ref<Listbox> box = control<Listbox>(list);
        for (std::int32_t row = 0; row < box->ListCount(); ++row)
            texts.push_back(box->Cell(row, col).bytes());
        return texts;
    }
    std::vector<std::string> menuRows()
    {
        std::vector<std::string> texts;
        const Ref<PopupMenu> menu = control<PopupMenu>("iPodsMenu");
        for (std::int32_t row = 0; row < menu->ListCount(); ++row)
            texts.push_back(menu->RowText(row).bytes());
        return texts;
    }

    QTableWidget* table(const char* list) { return qobject_cast<QTableWidget*>(control<Listbox>(list)->widget()); }
    void clickRow(const char* list, int row)
    {
        QTableWidget* view = table(list);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
    }
    void pressKey(const char* list, Qt::Key key) { QTest::keyClick(table(list), key); }
    void clickRefresh() { QTest::mouseClick(control<PushButton>("refreshBtn")->widget(), Qt::LeftButton); }

    testsupport::FakeVolumes volumes;
    testsupport::ReportCatcher reports;
    Ref<Window1> window;
};

// Entry names as the lists show them: a ":" of a real name shows as "/".
inline std::vector<std::string> shown(std::vector<std::string> names)
{
    for (std::string& name : names)
        std::replace(name.begin(), name.end(), ':', '/');
    return names;
}

} // namespace browsertest
