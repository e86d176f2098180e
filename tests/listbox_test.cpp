// The list: column widths and headings, selection and its Change event, the order of
// KeyDown and CellClick against the list's own handling, and in-place editing.

#include "ControlFixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <cmath>

using namespace controltest;

namespace {

class ListboxTest : public ControlTest {
protected:
    // A four-column list with headings; `changes` come before the defaults, so they win.
    Ref<Listbox> makeList(std::vector<DescriptionEntry> changes = {})
    {
        std::vector<DescriptionEntry> values = std::move(changes);
        for (DescriptionEntry entry : std::vector<DescriptionEntry>{
                 {"TabIndex", 0}, {"Border", true}, {"ColumnCount", 4}, {"ColumnWidths", Text("30%,15%,55%,0")},
                 {"HasHeading", true}, {"GridLinesHorizontal", 0}, {"GridLinesVertical", 1},
                 {"SelectionType", 0}, {"ColumnsResizable", false}})
            values.push_back(entry);
        ControlTableRow row{1, "files", "Listbox", {}, 10, 10, 380, 200, "L T R B", Text("Name\tSize\tKind\tPath"),
                            values, {}};
        list = make<Listbox>(row);
        table = qobject_cast<QTableWidget*>(list->widget());
        return list;
    }

    void fill(int rows)
    {
        for (int r = 0; r < rows; ++r) {
            list->AddRow(Text("row " + std::to_string(r)));
            list->setCell(r, 3, Text("/path/" + std::to_string(r)));
        }
    }

    QPoint cellCentre(int row, int column = 0) const
    {
        return table->visualRect(table->model()->index(row, column)).center();
    }

    void click(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cellCentre(row));
    }

    // Each handler notes the list's ListIndex at the moment it runs.
    void noteListIndex()
    {
        window->during = [this] { window->log.back() += " @" + std::to_string(list->ListIndex()); };
    }

    Ref<Listbox> list;
    QTableWidget* table = nullptr;
};

TEST_F(ListboxTest, ColumnWidthsArePartsOfTheListWidthAndFollowResizing)
{
    makeList();
    for (int width : {380, 560}) {
        list->setWidth(width);
        const double available = table->viewport()->width();
        EXPECT_EQ(table->columnWidth(0), std::lround(available * 0.30)) << width;
        EXPECT_EQ(table->columnWidth(1), std::lround(available * 0.15)) << width;
        EXPECT_EQ(table->columnWidth(2), std::lround(available * 0.55)) << width;
        EXPECT_TRUE(table->isColumnHidden(3));
    }
    EXPECT_EQ(list->ColumnCount(), 4);

    // Empty entries and columns beyond the text share what is left.
    SetProperties(*list, DescriptionWriter().add("ColumnWidths", Text("100,")).text());
    const int rest = table->viewport()->width() - 100;
    EXPECT_EQ(table->columnWidth(0), 100);
    EXPECT_EQ(table->columnWidth(1), rest / 3);
    EXPECT_EQ(table->columnWidth(3), rest / 3);
    EXPECT_FALSE(table->isColumnHidden(3));
}

TEST_F(ListboxTest, HeadingsComeFromTheInitialValueAndShowWithHasHeading)
{
    makeList();
    EXPECT_EQ(list->Heading(0), Text("Name"));
    EXPECT_EQ(list->Heading(3), Text("Path"));
    EXPECT_EQ(list->Heading(4), Text());
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Kind"));
    EXPECT_FALSE(table->horizontalHeader()->isHidden());
    SetProperties(*list, DescriptionWriter().add("HasHeading", false).text());
    EXPECT_TRUE(table->horizontalHeader()->isHidden());
}

TEST_F(ListboxTest, SingleSelectionKeepsOneRow)
{
    makeList();
    fill(5);
    click(1);
    click(3, Qt::ControlModifier);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->ListIndex(), 3);
    list->setSelected(0, true);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->ListIndex(), 0);
}

TEST_F(ListboxTest, MultipleSelectionExtendsWithCtrlAndShift)
{
    makeList({{"SelectionType", 1}});
    fill(5);
    click(3);
    click(1, Qt::ControlModifier);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(list->ListIndex(), 1) << "the first selected row in list order";
    EXPECT_TRUE(list->Selected(3));
    EXPECT_FALSE(list->Selected(2));
    EXPECT_FALSE(list->Selected(99));
    EXPECT_FALSE(list->Selected(-1));
    click(4, Qt::ShiftModifier);
    EXPECT_EQ(list->SelCount(), 4);
    list->setListIndex(-1);
    EXPECT_EQ(list->SelCount(), 0);
}

TEST_F(ListboxTest, AListRaisesChangeWheneverItsSelectionChangesByTheUserOrByCode)
{
    makeList();
    bind(list, "Change", "(  )");
    fill(3);
    EXPECT_TRUE(window->log.empty()) << "adding rows changes no selection";
    EXPECT_EQ(list->LastIndex(), 2);

    list->setListIndex(1);
    list->setListIndex(1);
    EXPECT_EQ(window->log.size(), 1u) << "the same row again is no change";
    click(2);
    EXPECT_EQ(window->log.size(), 2u);
    EXPECT_EQ(list->ListIndex(), 2);
    list->setSelected(2, false);
    EXPECT_EQ(window->log.size(), 3u);
    list->setListIndex(-1);
    EXPECT_EQ(window->log.size(), 3u) << "nothing was selected";
}

TEST_F(ListboxTest, EmptyingAListRaisesOneChangeWhenItDropsSelectedRowsAndNoneWithout)
{
    makeList({{"SelectionType", 1}});
    bind(list, "Change", "(  )");
    fill(5);
    click(1);
    click(2, Qt::ControlModifier);
    click(4, Qt::ControlModifier);
    ASSERT_EQ(list->SelCount(), 3);
    window->log.clear();

    list->DeleteAllRows();
    EXPECT_EQ(window->log.size(), 1u) << "three selected rows went away at once";
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->LastIndex(), -1);

    fill(2);
    list->DeleteAllRows();
    EXPECT_EQ(window->log.size(), 1u) << "nothing was selected";
}

TEST_F(ListboxTest, KeyDownRunsBeforeTheListMovesAndCanStopIt)
{
    makeList();
    bind(list, "KeyDown", "( String ) as Boolean");
    bind(list, "Change", "(  )");
    fill(3);
    list->setListIndex(0);
    window->log.clear();
    noteListIndex();

    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(window->log, (std::vector<std::string>{"KeyDown 31 @0", "Change @1"}));

    window->log.clear();
    window->reply = true;
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(window->log, (std::vector<std::string>{"KeyDown 31 @1"}));
    EXPECT_EQ(list->ListIndex(), 1) << "a handled key is not the list's";

    window->log.clear();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up})
        QTest::keyClick(table, key);
    QTest::keyClick(table, 'a');
    EXPECT_EQ(window->log,
              (std::vector<std::string>{"KeyDown 28 @1", "KeyDown 29 @1", "KeyDown 30 @1", "KeyDown 97 @1"}));
}

TEST_F(ListboxTest, CellClickGivesCellAndPlaceBeforeTheSelectionChanges)
{
    makeList();
    bind(list, "CellClick", "( Int32, Int32, Int32, Int32 ) as Boolean");
    bind(list, "Change", "(  )");
    fill(3);
    noteListIndex();

    const QRect cell = table->visualRect(table->model()->index(2, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(5, 4));
    EXPECT_EQ(window->log, (std::vector<std::string>{"CellClick 2 1 5 4 @-1", "Change @2"}));

    window->log.clear();
    window->reply = true;
    click(0);
    ASSERT_EQ(window->log.size(), 1u) << "a handled click selects nothing";
    EXPECT_EQ(window->log[0].substr(0, 13), "CellClick 0 0");
    EXPECT_EQ(list->ListIndex(), 2);
}

TEST_F(ListboxTest, EditCellChangesOnlyThatCellAndCellsOutOfRangeAreSafe)
{
    makeList();
    fill(2);
    list->EditCell(0, 0);
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text back at a later turn of the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->Cell(0, 0) == Text("renamed"); }, testsupport::kPatience));
    EXPECT_EQ(list->Cell(0, 3), Text("/path/0"));
    EXPECT_EQ(list->Cell(1, 0), Text("row 1"));

    EXPECT_EQ(list->Cell(2, 0), Text());
    EXPECT_EQ(list->Cell(0, 4), Text());
    EXPECT_EQ(list->Cell(-1, -1), Text());
    EXPECT_EQ(list->Cell(1, 2), Text()) << "a cell never set";
    list->setCell(5, 0, Text("nowhere"));
    list->EditCell(9, 9);
    EXPECT_EQ(list->ListCount(), 2);
}

TEST_F(ListboxTest, HandlerExceptionIsReportedAndTheNextEventRuns)
{
    makeList();
    bind(list, "Change", "(  )");
    fill(3);
    testsupport::ReportCatcher reports;
    window->during = [this] {
        if (window->log.size() != 2)
            throw RuntimeException("the handler failed");
    };
    // The user's click: the failure is reported, and the next click runs.
    click(0);
    click(1);
    EXPECT_EQ(window->log.size(), 2u);
    ASSERT_EQ(reports.reports().size(), 1u);
    EXPECT_NE(reports.reports()[0].message.find("the handler failed"), std::string::npos);
    EXPECT_NE(reports.reports()[0].message.find("files"), std::string::npos) << "names the control";

    // A selection set by code: the failure goes on to that code, which reports nothing.
    EXPECT_THROW(list->setListIndex(2), RuntimeException);
    EXPECT_EQ(window->log.size(), 3u);
    EXPECT_EQ(reports.reports().size(), 1u);
}

} // namespace
