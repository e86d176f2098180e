#pragma once

// A list of rows in one or more columns, with optional headings. Rows and columns are
// numbered from 0. Raises Change whenever the selection changes, by the user or by code;
// KeyDown and CellClick come before the list's own handling of the key or the click.

#include "ui/RectControl.h"

#include <vector>

class QKeyEvent;
class QMouseEvent;

namespace platform {

class Listbox : public RectControl {
public:
    static constexpr const char* kClassName = "Listbox";
    static constexpr std::string_view kTypeName = "Listbox";

    ~Listbox() override;

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }
    std::vector<EventSpec> events() const override;

    // Removes every row; raises Change once when a row was selected.
    void DeleteAllRows();
    // Appends a row with the text in its first column; the selection stays as it is.
    void AddRow(const platform::Text& text);
    // The row added last, -1 when there is none.
    std::int32_t LastIndex() const { return lastIndex_; }
    std::int32_t ListCount() const;
    std::int32_t ColumnCount() const;
    // Empty for a cell that does not exist.
    platform::Text Cell(std::int32_t row, std::int32_t column) const;
    // Ignored for a cell that does not exist.
    void setCell(std::int32_t row, std::int32_t column, const platform::Text& text);
    // Empty for a column without a heading.
    platform::Text Heading(std::int32_t column) const;

    // The selected row, the first one in list order when several are selected; -1 for
    // none.
    std::int32_t ListIndex() const;
    // Selects that row alone; -1 clears the selection; a row that does not exist is
    // ignored.
    void setListIndex(std::int32_t row);
    std::int32_t SelCount() const;
    // False for a row that does not exist.
    bool Selected(std::int32_t row) const;
    void setSelected(std::int32_t row, bool selected);

    // Lets the user edit the text of that one cell in place.
    void EditCell(std::int32_t row, std::int32_t column);

protected:
    QWidget* createWidget(QWidget* parent) override;
    QWidget* eventWidget() const override;
    bool filterEvent(QObject* watched, QEvent* event) override;

private:
    class GridDelegate;
    class Table;

    // A column's width as ColumnWidths gives it: a share of what the others leave, a
    // percentage of the list's width, or pixels (0 hides the column).
    struct ColumnWidth {
        enum class Kind { Share, Percent, Pixels };
        Kind kind = Kind::Share;
        double amount = 0;
    };

    bool cellExists(std::int32_t row, std::int32_t column) const;
    std::vector<int> selectedRows() const;
    template <class Change>
    void changeSelection(Change change);
    // Raises Change when the selected rows differ from those last reported.
    void selectionMaybeChanged(bool byCode);
    void layoutColumns();
    void showHeadings();
    void showScrollbars();
    void setColumnWidths(const platform::Text& widths);
    void setHeadings(const platform::Text& headings);
    bool mousePressed(const QMouseEvent& event);
    bool keyPressed(const QKeyEvent& event);

    // Null once the list's widget has begun to go (its window's widgets are deleted after
    // the window), also while Qt still delivers events during its destruction.
    Table* table_ = nullptr;
    GridDelegate* grid_ = nullptr; // belongs to the table; valid while table_ is set
    std::vector<ColumnWidth> columnWidths_;
    std::vector<platform::Text> headings_;
    // The selected rows as last reported by Change.
    std::vector<int> reportedSelection_;
    // Above 0 while code changes the selection: it reports the change once, when done.
    int quiet_ = 0;
    std::int32_t lastIndex_ = -1;
    bool requiresSelection_ = false;
    bool scrollbarHorizontal_ = false;
    bool scrollbarVertical_ = true;
    bool autoHideScrollbars_ = true;
};

} // namespace platform
