// The main window's description: the window's own keys, then its fourteen controls in
// creation order. Each line reads as a row of the window's layout table.

#include "browser/Window1.h"

namespace parvolin {

using platform::color;
using platform::ControlTableRow;
using platform::DescriptionEntry;
using platform::Text;
using platform::WindowTableRow;

const std::vector<WindowTableRow>& Window1::windowTable()
{
    static const std::vector<WindowTableRow> rows{
        {"Placement", 0},
        {"Width", 580},
        {"Height", 580},
        {"MinWidth", 500},
        {"MinHeight", 300},
        {"MaxWidth", 32000},
        {"MaxHeight", 32000},
        {"Frame", 0},
        {"Composite", false},
        {"HasBackColor", false},
        {"BackColor", color("#FFFFFF")},
        {"Title", Text("a")},
        {"Visible", true},
        {"FullScreen", false},
        {"MenuBarVisible", true},
        {"CloseButton", true},
        {"Resizeable", true},
        {"LiveResize", true},
        {"MaximizeButton", false},
        {"MinimizeButton", true},
        {"MacProcID", 0},
    };
    return rows;
}

const std::vector<ControlTableRow>& Window1::controlTable()
{
    const Text tab = platform::Chr(9);
    static const std::vector<ControlTableRow> rows{
        {1, "Rectangle2", "Rectangle", "", 21, 109, 538, 427, "L T R B", std::nullopt,
         {{"FillColor", color("#FFFFFF")}, {"BorderWidth", 1}, {"TopLeftColor", color("#000000")},
          {"BottomRightColor", color("#000000")}},
         {}},
        {2, "folders", "Listbox", "", 22, 110, 60, 425, "L T B", Text("Folders"),
         {{"TabIndex", 0}, {"Border", true}, {"ColumnCount", 1}, {"ColumnWidths", Text("")}, {"HasHeading", true},
          {"GridLinesHorizontal", 2}, {"GridLinesVertical", 0}, {"SelectionType", 0}, {"ColumnsResizable", false},
          {"TextSize", 12}, {"InitialParent", Text("Rectangle2")}},
         {{"KeyDown", "folders_KeyDown"}, {"CellClick", "folders_CellClick"}}},
        {3, "ListBox1", "Listbox", "", 85, 110, 473, 425, "L T R B", Text("Name") + tab + "Kind" + tab + "Date added",
         {{"TabIndex", 1}, {"Border", false}, {"ColumnCount", 4}, {"ColumnWidths", Text("30%,15%,55%,0")},
          {"HasHeading", true}, {"GridLinesHorizontal", 2}, {"GridLinesVertical", 2}, {"SelectionType", 1},
          {"ColumnsResizable", true}, {"TextSize", 12}, {"InitialParent", Text("Rectangle2")}},
         {{"DoubleClick", "ListBox1_DoubleClick"}, {"Change", "ListBox1_Change"}}},
        {4, "Timer1", "Timer", "Window1.Timer1", std::nullopt, std::nullopt, std::nullopt, std::nullopt, "-",
         std::nullopt, {{"Mode", 2}, {"Period", 3000}}, {{"Action", "Timer1_Action"}}},
        {5, "playBtn", "PushButton", "", 486, 543, 74, 20, "R B", Text("Play"),
         {{"TabIndex", 9}, {"Enabled", false}, {"TextSize", 12}}, {{"Action", "playBtn_Action"}}},
        {6, "Timer2", "Timer", "Window1.Timer2", std::nullopt, std::nullopt, std::nullopt, std::nullopt, "-",
         std::nullopt, {{"Mode", 2}, {"Period", 100}}, {{"Action", "Timer2_Action"}}},
        {7, "iPodFiles", "StaticText", "", 18, 546, 541, 16, "L R B", Text("0 files..."),
         {{"TabIndex", 15}, {"TextAlign", 1}, {"TextSize", 12}, {"Bold", true}}, {}},
        {8, "iPodPath", "StaticText", "", 332, 45, 227, 17, "L T R B", Text("No iPod found..."),
         {{"TabIndex", 16}, {"Visible", false}, {"TextSize", 12}, {"Italic", true}}, {}},
        {9, "refreshBtn", "PushButton", "", 255, 44, 66, 19, "none", Text("Refresh"),
         {{"TabIndex", 17}, {"TextSize", 12}}, {{"Action", "refreshBtn_Action"}}},
        {10, "iPodsMenu", "PopupMenu", "", 115, 44, 128, 20, "none", Text(""), {{"TabIndex", 18}, {"TextSize", 12}},
         {{"Change", "iPodsMenu_Change"}}},
        {11, "iPods", "StaticText", "", 21, 47, 92, 14, "L T", Text("0 iPod(s)"), {{"TabIndex", 19}, {"TextSize", 12}},
         {}},
        {12, "copyTo", "EditField", "", 114, 73, 357, 22, "L T R", Text(""),
         {{"TabIndex", 20}, {"Border", true}, {"ReadOnly", true}}, {{"TextChange", "copyTo_TextChange"}}},
        {13, "copyToBtn", "PushButton", "", 21, 75, 86, 20, "L T", Text("Copy to:"),
         {{"TabIndex", 21}, {"TextSize", 12}}, {{"Action", "copyToBtn_Action"}}},
        {14, "copyBtn", "PushButton", "", 486, 75, 73, 20, "T R", Text("Copy"),
         {{"TabIndex", 22}, {"Enabled", false}, {"TextSize", 12}}, {{"Action", "copyBtn_Action"}}},
    };
    return rows;
}

} // namespace parvolin
