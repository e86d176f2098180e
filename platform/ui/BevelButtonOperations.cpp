// The bevel button's settings and its pop-up menu, and the operations of its class record
// through which the plug-in table reaches them.

#include "ui/BevelButton.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <algorithm>

namespace platform {

void BevelButton::setLook(std::int32_t BevelLook::*setting, std::int32_t value)
{
    look_.*setting = value;
    updateLook();
}

void BevelButton::setCaptionAlign(std::int32_t align) { setLook(&BevelLook::captionAlign, align); }
void BevelButton::setCaptionPlacement(std::int32_t placement) { setLook(&BevelLook::captionPlacement, placement); }
void BevelButton::setCaptionDelta(std::int32_t delta) { setLook(&BevelLook::captionDelta, delta); }
void BevelButton::setIconAlign(std::int32_t align) { setLook(&BevelLook::iconAlign, align); }
void BevelButton::setIconDX(std::int32_t dx) { setLook(&BevelLook::iconDX, dx); }
void BevelButton::setIconDY(std::int32_t dy) { setLook(&BevelLook::iconDY, dy); }
void BevelButton::setBevel(std::int32_t bevel) { setLook(&BevelLook::bevel, bevel); }

void BevelButton::setTextColor(Color color)
{
    textColor_ = color;
    updateLook();
}

void BevelButton::setTextFont(const platform::Text& family)
{
    if (!button_)
        return;
    QFont font = button_->font();
    font.setFamily(family.empty() || family.bytes() == "System" ? QApplication::font(button_).family()
                                                                 : QString::fromStdString(family.bytes()));
    button_->setFont(font);
}

void BevelButton::setHasMenu(std::int32_t hasMenu)
{
    look_.hasMenu = hasMenu;
    updateLook();
}

void BevelButton::setMenuValue(std::int32_t row)
{
    menuValue_ = row;
    updateMenu();
}

void BevelButton::DeleteAllRows()
{
    rows_.clear();
    separators_.clear();
    updateMenu();
}

void BevelButton::AddRow(const platform::Text& row) { InsertRow(ListCount(), row); }

void BevelButton::AddSeparator()
{
    rows_.push_back(platform::Text("-"));
    separators_.push_back(true);
    updateMenu();
}

void BevelButton::InsertRow(std::int32_t index, const platform::Text& row)
{
    const auto at = static_cast<std::size_t>(std::clamp(index, 0, ListCount()));
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), row);
    separators_.insert(separators_.begin() + static_cast<std::ptrdiff_t>(at), false);
    updateMenu();
}

platform::Text BevelButton::List(std::int32_t index) const
{
    if (index < 0 || index >= ListCount())
        return {};
    return rows_[static_cast<std::size_t>(index)];
}

std::int32_t BevelButton::ListCount() const { return static_cast<std::int32_t>(rows_.size()); }

void BevelButton::rowChosen(std::int32_t row)
{
    menuValue_ = row;
    updateMenu();
    raise("Action");
}

void BevelButton::updateMenu()
{
    if (!button_ || !button_->rowMenu)
        return;
    QMenu* menu = button_->rowMenu;
    menu->clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (separators_[i]) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(rows_[i].bytes()));
        const auto row = static_cast<std::int32_t>(i);
        action->setCheckable(true);
        action->setChecked(row == menuValue_);
        QObject::connect(action, &QAction::triggered, button_, [weak = weak_from_this(), row] {
            // The handler may close the window and with it this control.
            if (const auto self = weak.lock())
                static_cast<BevelButton&>(*self).rowChosen(row);
        });
    }
}

std::vector<Operation> BevelButton::operations()
{
    return {
        method<&BevelButton::DeleteAllRows>("DeleteAllRows"),
        method<&BevelButton::AddRow>("AddRow"),
        method<&BevelButton::AddSeparator>("AddSeparator"),
        method<&BevelButton::InsertRow>("InsertRow"),
        method<&BevelButton::List>("List"),
        method<&BevelButton::Caption>("Caption.Get"),
        method<&BevelButton::setCaption>("Caption.Set"),
        method<&BevelButton::setCaptionAlign>("CaptionAlign.Set"),
        method<&BevelButton::setCaptionPlacement>("CaptionPlacement.Set"),
        method<&BevelButton::setCaptionDelta>("CaptionDelta.Set"),
        method<&BevelButton::setIcon>("Icon.Set"),
        method<&BevelButton::setIconAlign>("IconAlign.Set"),
        method<&BevelButton::setIconDX>("IconDX.Set"),
        method<&BevelButton::setIconDY>("IconDY.Set"),
        method<&BevelButton::setBevel>("Bevel.Set"),
        method<&BevelButton::setHasMenu>("HasMenu.Set"),
        method<&BevelButton::MenuValue>("MenuValue.Get"),
        method<&BevelButton::setMenuValue>("MenuValue.Set"),
        method<&BevelButton::Value>("Value.Get"),
        method<&BevelButton::setValue>("Value.Set"),
        // A colour travels as one integer, &hRRGGBB.
        operation("TextColor.Set", "( Color )",
                  [](Object& self, const Arguments& arguments) -> platform::Value {
                      const std::int32_t* rgb = arguments.size() == 1 ? std::get_if<std::int32_t>(&arguments[0]) : nullptr;
                      if (!rgb)
                          throw RuntimeException("TextColor.Set takes one colour, as an integer &hRRGGBB.");
                      auto* button = dynamic_cast<BevelButton*>(&self);
                      if (!button)
                          throw IllegalCastException("TextColor.Set was called on an object that is no bevel button.");
                      button->setTextColor(Color::rgb(static_cast<std::uint32_t>(*rgb)));
                      return {};
                  }),
        method<&BevelButton::setTextFont>("TextFont.Set"),
    };
}

} // namespace platform
