#include "ui/BevelButton.h"

#include <QMenu>

namespace platform {

namespace {

// ButtonType: a plain button, one that toggles between up and down, or one that stays down
// once pressed until code lets it up.
constexpr std::int32_t kToggles = 1;
constexpr std::int32_t kSticky = 2;

} // namespace

QWidget* BevelButton::createWidget(QWidget* parent)
{
    button_ = new BevelButtonWidget(parent);
    QObject::connect(button_, &QToolButton::clicked, button_, [weak = weak_from_this()] {
        if (const auto self = weak.lock())
            static_cast<BevelButton&>(*self).clicked();
    });
    button_->rowMenu = new QMenu(button_);
    updateMenu();
    updateLook();
    return button_;
}

void BevelButton::clicked()
{
    // A sticky button that is down stays down: the click that would let it up is undone.
    if (button_ && button_->isCheckable()) {
        if (buttonType_ == kSticky && !button_->isChecked())
            button_->setChecked(true);
        value_ = button_->isChecked();
    }
    raise("Action");
}

std::vector<EventSpec> BevelButton::events() const
{
    auto specs = RectControl::events();
    specs.push_back({"Action", "(  )"});
    return specs;
}

platform::Text BevelButton::Caption() const
{
    return button_ ? platform::Text(button_->text().toStdString()) : platform::Text();
}

void BevelButton::setCaption(const platform::Text& caption)
{
    if (button_)
        button_->setText(QString::fromStdString(caption.bytes()));
}

void BevelButton::setIcon(const Ref<Picture>& icon)
{
    icon_ = icon;
    updateLook();
}

void BevelButton::setValue(bool down)
{
    value_ = down;
    if (button_ && button_->isCheckable())
        button_->setChecked(down);
}

void BevelButton::updateLook()
{
    if (!button_)
        return;
    if (icon_ && !icon_->pixmap().isNull()) {
        button_->setIcon(QIcon(icon_->pixmap()));
        button_->setIconSize(icon_->pixmap().size());
    } else {
        button_->setIcon(QIcon());
    }
    button_->look = look_;
    button_->textColor = QColor(textColor_.red, textColor_.green, textColor_.blue);
    button_->update();
    // The description gives Value before ButtonType: a button that becomes a toggle shows
    // the value it was given.
    const bool toggles = buttonType_ == kToggles || buttonType_ == kSticky;
    button_->setCheckable(toggles);
    button_->setChecked(toggles && value_);
    // Like the original bevel buttons, it takes the focus only when it accepts it.
    button_->setFocusPolicy(!acceptFocus_ ? Qt::NoFocus : tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
}

void BevelButton::applyProperty(const DescriptionEntry& entry)
{
    const std::string& key = entry.key;
    if (key == "Caption") {
        setCaption(valueAs<platform::Text>(entry));
    } else if (key == "ButtonType") {
        buttonType_ = valueAs<std::int32_t>(entry);
        updateLook();
    } else if (key == "Value") {
        setValue(valueAs<bool>(entry));
    } else if (key == "TabStop") {
        tabStop_ = valueAs<bool>(entry);
        updateLook();
    } else if (key == "AcceptFocus") {
        acceptFocus_ = valueAs<bool>(entry);
        updateLook();
    } else if (key == "CaptionAlign") {
        setCaptionAlign(valueAs<std::int32_t>(entry));
    } else if (key == "CaptionPlacement") {
        setCaptionPlacement(valueAs<std::int32_t>(entry));
    } else if (key == "CaptionDelta") {
        setCaptionDelta(valueAs<std::int32_t>(entry));
    } else if (key == "IconAlign") {
        setIconAlign(valueAs<std::int32_t>(entry));
    } else if (key == "IconDX") {
        setIconDX(valueAs<std::int32_t>(entry));
    } else if (key == "IconDY") {
        setIconDY(valueAs<std::int32_t>(entry));
    } else if (key == "Bevel") {
        setBevel(valueAs<std::int32_t>(entry));
    } else if (key == "HasMenu") {
        setHasMenu(valueAs<std::int32_t>(entry));
    } else if (key == "MenuValue") {
        setMenuValue(valueAs<std::int32_t>(entry));
    } else if (!applyFontProperty(entry)) {
        RectControl::applyProperty(entry);
    }
}

} // namespace platform

