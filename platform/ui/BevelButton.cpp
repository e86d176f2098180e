#include "ui/BevelButton.h"

#include <QToolButton>

namespace platform {

namespace {

// ButtonType: a plain button, one that toggles between up and down, or one that stays down
// once pressed until code lets it up.
constexpr std::int32_t kToggles = 1;
constexpr std::int32_t kSticky = 2;
// CaptionPlacement: the caption below the icon; every other placement puts it beside.
constexpr std::int32_t kCaptionBelow = 3;

} // namespace

QWidget* BevelButton::createWidget(QWidget* parent)
{
    button_ = new QToolButton(parent);
    QObject::connect(button_, &QToolButton::clicked, button_, [weak = weak_from_this()] {
        if (const auto self = weak.lock())
            static_cast<BevelButton&>(*self).clicked();
    });
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
        button_->setToolButtonStyle(captionPlacement_ == kCaptionBelow ? Qt::ToolButtonTextUnderIcon
                                                                       : Qt::ToolButtonTextBesideIcon);
    } else {
        button_->setIcon(QIcon());
        button_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
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
    constexpr std::string_view styleLaysOut = "the desktop's style places the caption and the icon itself";
    constexpr std::string_view noMenu = "bevel buttons here have no pop-up menu (no rows can be added to one)";
    static const PropertyTable table = classTable("BevelButton", "Caption", {
        "TabIndex",
        key("TabStop", true, look(&BevelButton::tabStop_)),
        "InitialParent", "Visible", "HelpTag", "AutoDeactivate", "Enabled",
        key("Caption", noDefault, &BevelButton::setCaption),
        noEffect<std::int32_t>("CaptionAlign", noDefault, styleLaysOut),
        key("CaptionPlacement", noDefault, look(&BevelButton::captionPlacement_)),
        noEffect<std::int32_t>("CaptionDelta", noDefault, styleLaysOut),
        noEffect<std::int32_t>("IconAlign", noDefault, styleLaysOut),
        noEffect<std::int32_t>("IconDX", noDefault, styleLaysOut),
        noEffect<std::int32_t>("IconDY", noDefault, styleLaysOut),
        noEffect<std::int32_t>("Bevel", noDefault, "the desktop's style draws the button's edge"),
        noEffect<std::int32_t>("HasMenu", noDefault, noMenu),
        key("Value", noDefault, &BevelButton::setValue),
        noEffect<std::int32_t>("MenuValue", noDefault, noMenu),
        key("ButtonType", noDefault, look(&BevelButton::buttonType_)),
        key("AcceptFocus", false, look(&BevelButton::acceptFocus_)),
        "TextFont", "TextSize", "Bold", "Italic", "Underline",
    });
    return table;
}

} // namespace platform

