#pragma once

// A button that shows a picture and a caption; it can also stay down (toggle) when
// clicked, and it can carry a pop-up menu of rows. Raises Action when clicked and when a
// row of its menu is chosen. What the numbers of its settings mean: ui/BevelButtonLook.h.

#include "pictures/Picture.h"
#include "ui/BevelButtonLook.h"
#include "ui/RectControl.h"

#include <QPointer>

namespace platform {

class BevelButton : public RectControl {
public:
    static constexpr const char* kClassName = "BevelButton";
    static constexpr std::string_view kTypeName = "BevelButton";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }
    std::vector<EventSpec> events() const override;

    platform::Text Caption() const;
    void setCaption(const platform::Text& caption);
    // An empty handle shows no icon.
    const Ref<Picture>& Icon() const { return icon_; }
    void setIcon(const Ref<Picture>& icon);
    // Whether a toggling button is down.
    bool Value() const { return value_; }
    void setValue(bool down);

    void setCaptionAlign(std::int32_t align);
    void setCaptionPlacement(std::int32_t placement);
    void setCaptionDelta(std::int32_t delta);
    void setIconAlign(std::int32_t align);
    void setIconDX(std::int32_t dx);
    void setIconDY(std::int32_t dy);
    void setBevel(std::int32_t bevel);
    void setTextColor(Color color);
    // "System" (or an empty name) is the desktop's own font.
    void setTextFont(const platform::Text& family);
    const BevelLook& look() const { return look_; }

    // The pop-up menu: its rows by 0-based index; a separator is a row of its own that
    // cannot be chosen and reads "-". Rows are kept whether or not the menu is shown.
    void DeleteAllRows();
    void AddRow(const platform::Text& row);
    void AddSeparator();
    // Inserts before the row at `index`; an index past the last row appends.
    void InsertRow(std::int32_t index, const platform::Text& row);
    // The row's text; the empty text for an index with no row.
    platform::Text List(std::int32_t index) const;
    std::int32_t ListCount() const;
    void setHasMenu(std::int32_t hasMenu);
    // The row last chosen, or set from code (it is shown checked in the menu).
    std::int32_t MenuValue() const { return menuValue_; }
    void setMenuValue(std::int32_t row);

    // The class record's operations, under the names the plug-in table looks up
    // ("Icon.Set", "MenuValue.Get", ...).
    static std::vector<Operation> operations();

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    void clicked();
    void rowChosen(std::int32_t row);
    void updateLook();
    void updateMenu();
    // Sets one of the numbers that place the caption, the icon and the bevel.
    void setLook(std::int32_t BevelLook::*setting, std::int32_t value);

    QPointer<BevelButtonWidget> button_;
    Ref<Picture> icon_;
    BevelLook look_;
    Color textColor_;
    std::vector<platform::Text> rows_; // "-" for a separator
    std::vector<bool> separators_;
    std::int32_t menuValue_ = 0;
    std::int32_t buttonType_ = 0;
    bool value_ = false;
    bool tabStop_ = true;
    bool acceptFocus_ = false;
};

} // namespace platform
