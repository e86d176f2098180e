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

const PropertyTable& BevelButton::propertyTable()
{
    const auto look = [](auto member) { return kept(member, &BevelButton::updateLook); };
    static const PropertyTable table = classTable("BevelButton", "Caption", {
        "TabIndex",
        key("TabStop", true, look(&BevelButton::tabStop_)),
        "InitialParent", "Visible", "HelpTag", "AutoDeactivate", "Enabled",
        key("Caption", noDefault, &BevelButton::setCaption),
        key("CaptionAlign", noDefault, &BevelButton::setCaptionAlign),
        key("CaptionPlacement", noDefault, &BevelButton::setCaptionPlacement),
        key("CaptionDelta", noDefault, &BevelButton::setCaptionDelta),
        key("IconAlign", noDefault, &BevelButton::setIconAlign),
        key("IconDX", noDefault, &BevelButton::setIconDX),
        key("IconDY", noDefault, &BevelButton::setIconDY),
        key("Bevel", noDefault, &BevelButton::setBevel),
        key("HasMenu", noDefault, &BevelButton::setHasMenu),
        key("Value", noDefault, &BevelButton::setValue),
        key("MenuValue", noDefault, &BevelButton::setMenuValue),
        key("ButtonType", noDefault, look(&BevelButton::buttonType_)),
        key("AcceptFocus", false, look(&BevelButton::acceptFocus_)),
        "TextFont", "TextSize", "Bold", "Italic", "Underline",
    });
    return table;
}

} // namespace platform

