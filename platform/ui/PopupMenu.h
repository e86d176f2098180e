#pragma once

// A pop-up menu: a list of rows of which one (or none) is chosen. Raises Change when the
// chosen row changes, by the user or by code.

#include "ui/RectControl.h"

#include <QPointer>

class QComboBox;

namespace platform {

class PopupMenu : public RectControl {
public:
    static constexpr const char* kClassName = "PopupMenu";
    static constexpr std::string_view kTypeName = "PopupMenu";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }
    std::vector<EventSpec> events() const override;

    // Rows are numbered from 0.
    void AddRow(const platform::Text& text);
    void DeleteAllRows();
    std::int32_t ListCount() const;
    // The chosen row, -1 for none.
    std::int32_t ListIndex() const { return listIndex_; }
    // -1 chooses no row; a row that does not exist is ignored.
    void setListIndex(std::int32_t index);
    // The text of the chosen row, empty when none is chosen.
    platform::Text Text() const;
    // Empty for a row that does not exist.
    platform::Text RowText(std::int32_t index) const;

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    void choose(std::int32_t index);
    void setInitialRows(const platform::Text& text);
    void userChose(std::int32_t index);

    QPointer<QComboBox> combo_;
    std::int32_t listIndex_ = -1;
    // Above 0 while code changes the combo box: its signals are then not the user's.
    int quiet_ = 0;
};

} // namespace platform
