#include "ui/Listbox.h"

#include "ui/KeyDownText.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

QString toQString(const Text& text) { return QString::fromStdString(text.bytes()); }
Text fromQString(const QString& text) { return Text(text.toStdString()); }

} // namespace

// Draws the grid lines of each direction on its own; QTableView only draws both or none.
class Listbox::GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool horizontal = false;
    bool vertical = false;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!horizontal && !vertical)
            return;
        const QWidget* view = option.widget;
        const QStyle* style = view ? view->style() : QApplication::style();
        const int gridColor = style->styleHint(QStyle::SH_Table_GridLineColor, &option, view);
        const QColor color = QColor::fromRgba(static_cast<QRgb>(gridColor));
        painter->save();
        painter->setPen(color);
        if (horizontal)
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        if (vertical)
            painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
};

// The list's widget clears its control's pointer to it as soon as its destruction begins:
// Qt still sends events to its children while it takes it apart, and the control must not
// treat the half-destroyed widget as a list then. The control clears the back pointer in
// turn when it goes first.
//
// A program that fills a list row by row lets the event loop turn after each row. Each turn
// would lay the whole list out and draw it anew, which for a long list costs far more than
// the rows themselves; so while rows keep coming the list is laid out and drawn at most
// every 40 ms.
class Listbox::Table : public QTableWidget {
public:
    Table(QWidget* parent, Listbox* list) : QTableWidget(0, 1, parent), owner(list) {}
    ~Table() override
    {
        if (owner)
            owner->table_ = nullptr;
    }

    void holdLayout()
    {
        constexpr int kLayoutInterval = 40;
        if (held_)
            return;
        held_ = true;
        setUpdatesEnabled(false);
        QTimer::singleShot(kLayoutInterval, this, [this] {
            held_ = false;
            setUpdatesEnabled(true);
            updateGeometries();
        });
    }

    Listbox* owner;

protected:
    void updateGeometries() override
    {
        if (!held_)
            QTableWidget::updateGeometries();
    }

private:
    bool held_ = false;
};

Listbox::~Listbox()
{
    if (table_)
        table_->owner = nullptr;
}

QWidget* Listbox::createWidget(QWidget* parent)
{
    table_ = new Table(parent, this);
    table_->verticalHeader()->hide();
    table_->setShowGrid(false);
    table_->setSortingEnabled(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Cells are edited only through EditCell; Tab moves on to the next control.
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setMinimumSectionSize(0);
    grid_ = new GridDelegate(table_);
    table_->setItemDelegate(grid_);
    QObject::connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, table_,
                     [weak = weak_from_this()] {
                         if (const auto self = weak.lock()) {
                             auto& list = static_cast<Listbox&>(*self);
                             if (list.quiet_ == 0 && list.table_)
                                 list.selectionMaybeChanged(false);
                         }
                     });
    showHeadings();
    showScrollbars();
    return table_;
}

QWidget* Listbox::eventWidget() const { return table_ ? table_->viewport() : nullptr; }

std::vector<EventSpec> Listbox::events() const
{
    auto specs = RectControl::events();
    specs.push_back({"KeyDown", "( String ) as Boolean"});
    specs.push_back({"CellClick", "( Int32, Int32, Int32, Int32 ) as Boolean"});
    specs.push_back({"DoubleClick", "(  )"});
    specs.push_back({"Change", "(  )"});
    return specs;
}

// ---- Rows and cells --------------------------------------------------------------------

std::int32_t Listbox::ListCount() const { return table_ ? table_->rowCount() : 0; }
std::int32_t Listbox::ColumnCount() const { return table_ ? table_->columnCount() : 0; }

bool Listbox::cellExists(std::int32_t row, std::int32_t column) const
{
    return row >= 0 && row < ListCount() && column >= 0 && column < ColumnCount();
}

void Listbox::DeleteAllRows()
{
    // Forgotten first: the Change handler that emptying may raise can end this call.
    lastIndex_ = -1;
    if (table_)
        changeSelection([this] { table_->setRowCount(0); });
}

void Listbox::AddRow(const platform::Text& text)
{
    if (!table_)
        return;
    table_->holdLayout();
    const int row = table_->rowCount();
    table_->insertRow(row);
    if (table_->columnCount() > 0)
        table_->setItem(row, 0, new QTableWidgetItem(toQString(text)));
    lastIndex_ = row;
}

platform::Text Listbox::Cell(std::int32_t row, std::int32_t column) const
{
    if (!cellExists(row, column))
        return {};
    const QTableWidgetItem* item = table_->item(row, column);
    return item ? fromQString(item->text()) : platform::Text();
}

void Listbox::setCell(std::int32_t row, std::int32_t column, const platform::Text& text)
{
    if (!cellExists(row, column))
        return;
    if (QTableWidgetItem* item = table_->item(row, column))
        item->setText(toQString(text));
    else
        table_->setItem(row, column, new QTableWidgetItem(toQString(text)));
}

platform::Text Listbox::Heading(std::int32_t column) const
{
    if (column < 0 || static_cast<std::size_t>(column) >= headings_.size())
        return {};
    return headings_[static_cast<std::size_t>(column)];
}

void Listbox::EditCell(std::int32_t row, std::int32_t column)
{
    if (!cellExists(row, column))
        return;
    QTableWidgetItem* item = table_->item(row, column);
    if (!item) {
        item = new QTableWidgetItem();
        table_->setItem(row, column, item);
    }
    // The editor writes back to this one cell only.
    table_->editItem(item);
}

// ---- Selection -------------------------------------------------------------------------

std::vector<int> Listbox::selectedRows() const
{
    std::vector<int> rows;
    if (!table_)
        return rows;
    for (const QItemSelectionRange& range : table_->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::int32_t Listbox::ListIndex() const
{
    const std::vector<int> rows = selectedRows();
    return rows.empty() ? -1 : rows.front();
}

std::int32_t Listbox::SelCount() const { return static_cast<std::int32_t>(selectedRows().size()); }

bool Listbox::Selected(std::int32_t row) const
{
    const std::vector<int> rows = selectedRows();
    return std::binary_search(rows.begin(), rows.end(), row);
}

// Runs a change of the selection made by code; Qt may report it in several steps (rows
// removed one by one), the program hears of it once.
template <class Change>
void Listbox::changeSelection(Change change)
{
    ++quiet_;
    change();
    --quiet_;
    selectionMaybeChanged(true);
}

void Listbox::selectionMaybeChanged(bool byCode)
{
    if (!table_)
        return;
    std::vector<int> rows = selectedRows();
    if (rows == reportedSelection_)
        return;
    reportedSelection_ = std::move(rows);
    if (byCode)
        raiseFromCode("Change");
    else
        raise("Change");
}

void Listbox::setListIndex(std::int32_t row)
{
    if (!table_ || row < -1 || row >= ListCount())
        return;
    changeSelection([this, row] {
        QItemSelectionModel* selection = table_->selectionModel();
        if (row == -1)
            selection->clearSelection();
        else
            selection->setCurrentIndex(table_->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
}

void Listbox::setSelected(std::int32_t row, bool selected)
{
    if (!table_ || row < 0 || row >= ListCount())
        return;
    changeSelection([this, row, selected] {
        const bool single = table_->selectionMode() == QAbstractItemView::SingleSelection;
        const QItemSelectionModel::SelectionFlags how = !selected ? QItemSelectionModel::Deselect
                                                        : single  ? QItemSelectionModel::ClearAndSelect
                                                                  : QItemSelectionModel::Select;
        table_->selectionModel()->select(table_->model()->index(row, 0), how | QItemSelectionModel::Rows);
    });
}

// ---- Columns ---------------------------------------------------------------------------

// Percentages are of the visible width, so they are worked out again whenever the list
// changes size.
void Listbox::layoutColumns()
{
    if (!table_)
        return;
    const int columns = table_->columnCount();
    const int available = table_->viewport()->width();
    std::vector<int> widths(static_cast<std::size_t>(columns), -1);
    int used = 0;
    int sharing = 0;
    for (int c = 0; c < columns; ++c) {
        const auto at = static_cast<std::size_t>(c);
        const ColumnWidth width = at < columnWidths_.size() ? columnWidths_[at] : ColumnWidth{};
        if (width.kind == ColumnWidth::Kind::Share) {
            ++sharing;
            continue;
        }
        widths[at] = width.kind == ColumnWidth::Kind::Percent
                         ? static_cast<int>(std::lround(available * width.amount / 100.0))
                         : static_cast<int>(width.amount);
        used += widths[at];
    }
    const int share = sharing > 0 ? std::max(available - used, 0) / sharing : 0;
    QHeaderView* header = table_->horizontalHeader();
    for (int c = 0; c < columns; ++c) {
        const int width = widths[static_cast<std::size_t>(c)];
        table_->setColumnHidden(c, width == 0);
        if (width != 0)
            header->resizeSection(c, width < 0 ? share : width);
    }
}

void Listbox::showHeadings()
{
    if (!table_)
        return;
    QStringList labels;
    for (int c = 0; c < table_->columnCount(); ++c)
        labels << toQString(Heading(c));
    table_->setHorizontalHeaderLabels(labels);
}

void Listbox::showScrollbars()
{
    if (!table_)
        return;
    const auto policy = [this](bool on) {
        return !on ? Qt::ScrollBarAlwaysOff : autoHideScrollbars_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    };
    table_->setHorizontalScrollBarPolicy(policy(scrollbarHorizontal_));
    table_->setVerticalScrollBarPolicy(policy(scrollbarVertical_));
}

// ---- Events ----------------------------------------------------------------------------

bool Listbox::filterEvent(QObject* watched, QEvent* event)
{
    if (!table_)
        return false;
    if (watched == table_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            return mousePressed(*static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonDblClick:
            raise("DoubleClick");
            return false;
        case QEvent::Resize:
            layoutColumns();
            return false;
        default:
            return false;
        }
    }
    if (watched == table_ && event->type() == QEvent::KeyPress)
        return keyPressed(*static_cast<QKeyEvent*>(event));
    return RectControl::filterEvent(watched, event);
}

// MouseDown, then CellClick, each before the list selects anything: either handler can
// keep the press from the list by returning True.
bool Listbox::mousePressed(const QMouseEvent& event)
{
    const auto keep = shared_from_this();
    const QPoint at = event.position().toPoint();
    if (hasHandler("MouseDown")) {
        const QPoint inList = table_->viewport()->mapTo(table_, at);
        if (raiseBoolean("MouseDown", {std::int32_t{inList.x()}, std::int32_t{inList.y()}}))
            return true;
    }
    if (!table_)
        return false;
    const QModelIndex index = table_->indexAt(at);
    if (index.isValid() && hasHandler("CellClick")) {
        const QRect cell = table_->visualRect(index);
        const Arguments arguments{std::int32_t{index.row()}, std::int32_t{index.column()},
                                  std::int32_t{at.x() - cell.x()}, std::int32_t{at.y() - cell.y()}};
        if (raiseBoolean("CellClick", arguments))
            return true;
    }
    if (!table_ || !requiresSelection_)
        return false;
    // A list that requires a selection keeps its last selected row: a click beside the
    // rows, or a Ctrl-click on that row, would clear it.
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return false;
    const bool toggles = event.modifiers().testFlag(Qt::ControlModifier);
    return !index.isValid() || (toggles && rows.size() == 1 && rows.front() == index.row());
}

bool Listbox::keyPressed(const QKeyEvent& event)
{
    // Keys typed into an open cell editor belong to the editor.
    const QWidget* focus = QApplication::focusWidget();
    if (!hasHandler("KeyDown") || (focus && table_->viewport()->isAncestorOf(focus)))
        return false;
    const platform::Text key = keyDownText(event);
    return !key.empty() && raiseBoolean("KeyDown", {key});
}

// ---- Description -----------------------------------------------------------------------

// "30%,15%,55%,0": percentages of the list's width or pixels; "0" hides a column; an empty
// entry, and every column beyond the list, shares what the others leave.
void Listbox::setColumnWidths(const platform::Text& widths)
{
    columnWidths_.clear();
    for (const QString& part : toQString(widths).split(QLatin1Char(','))) {
        const QString width = part.trimmed();
        bool number = false;
        ColumnWidth column;
        if (width.endsWith(QLatin1Char('%'))) {
            column.amount = width.chopped(1).trimmed().toDouble(&number);
            column.kind = ColumnWidth::Kind::Percent;
        } else {
            column.amount = width.toInt(&number);
            column.kind = ColumnWidth::Kind::Pixels;
        }
        if (!number || column.amount < 0)
            column = ColumnWidth{};
        columnWidths_.push_back(column);
    }
    layoutColumns();
}

// The headings, separated by tabs, on the first line.
void Listbox::setHeadings(const platform::Text& headings)
{
    QString text = toQString(headings);
    if (const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))); lineEnd >= 0)
        text.truncate(lineEnd);
    headings_.clear();
    if (!text.isEmpty())
        for (const QString& heading : text.split(QLatin1Char('\t')))
            headings_.push_back(fromQString(heading));
    showHeadings();
}

const PropertyTable& Listbox::propertyTable()
{
    const auto scrollbar = [](bool Listbox::*member) { return kept(member, &Listbox::showScrollbars); };
    // 0 draws none; any other value draws the lines of that direction.
    const auto gridLines = [](bool GridDelegate::*direction) {
        return [direction](Listbox& list, std::int32_t lines) {
            list.grid_->*direction = lines != 0;
            list.table_->viewport()->update();
        };
    };
    static const PropertyTable table = classTable("Listbox", "InitialValue", {
        "TabIndex", "TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled",
        key("Border", noDefault,
            [](Listbox& list, bool on) { list.table_->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame); }),
        key("ColumnCount", noDefault, [](Listbox& list, std::int32_t count) {
            list.table_->setColumnCount(std::max(count, 0));
            list.showHeadings();
            list.layoutColumns();
        }),
        key("ColumnWidths", noDefault, &Listbox::setColumnWidths),
        key("HasHeading", noDefault, [](Listbox& list, bool on) { list.table_->horizontalHeader()->setVisible(on); }),
        "UseFocusRing",
        key("InitialValue", noDefault, &Listbox::setHeadings),
        noEffect("HeadingIndex", -1, "lists keep their rows in the order they were added, so no column sorts them"),
        key("ScrollbarHorizontal", false, scrollbar(&Listbox::scrollbarHorizontal_)),
        key("ScrollBarVertical", true, scrollbar(&Listbox::scrollbarVertical_)),
        key("GridLinesHorizontal", noDefault, gridLines(&GridDelegate::horizontal)),
        key("GridLinesVertical", noDefault, gridLines(&GridDelegate::vertical)),
        // -1 keeps the style's row height.
        key("DefaultRowHeight", -1, [](Listbox& list, std::int32_t height) {
            if (height <= 0)
                return;
            QHeaderView* rows = list.table_->verticalHeader();
            rows->setMinimumSectionSize(std::min(height, rows->minimumSectionSize()));
            rows->setSectionResizeMode(QHeaderView::Fixed);
            rows->setDefaultSectionSize(height);
        }),
        noEffect("_ScrollWidth", -1, "the list's scroll range follows the widths of its columns"),
        noEffect("_ScrollOffset", 0, "a new list starts scrolled to its left edge"),
        "TextFont", "TextSize", "Bold", "Italic", "Underline",
        noEffect("Hierarchical", false, "rows here are flat: no row holds others"),
        noEffect("EnableDrag", false, "rows are not dragged out of lists here"),
        noEffect("EnableDragReorder", false, "rows are not dragged within lists here"),
        key("RequiresSelection", false, [](Listbox& list, bool on) { list.requiresSelection_ = on; }),
        // 0 one row; 1 several, extended with Shift- and Ctrl-clicks.
        key("SelectionType", noDefault, [](Listbox& list, std::int32_t type) {
            list.table_->setSelectionMode(type == 1 ? QAbstractItemView::ExtendedSelection
                                                    : QAbstractItemView::SingleSelection);
        }),
        key("ColumnsResizable", noDefault, [](Listbox& list, bool on) {
            list.table_->horizontalHeader()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
        }),
        key("AutoHideScrollbars", true, scrollbar(&Listbox::autoHideScrollbars_)),
        "DataSource", "DataField", "InitialParent",
    });
    return table;
}

} // namespace platform
