#include "ui/PopupMenu.h"

#include <QComboBox>

namespace platform {

QWidget* PopupMenu::createWidget(QWidget* parent)
{
    combo_ = new QComboBox(parent);
    QObject::connect(combo_, &QComboBox::currentIndexChanged, combo_, [weak = weak_from_this()](int index) {
        if (const auto self = weak.lock())
            static_cast<PopupMenu&>(*self).userChose(index);
    });
    return combo_;
}

std::vector<EventSpec> PopupMenu::events() const
{
    auto specs = RectControl::events();
    specs.push_back({"Change", "(  )"});
    return specs;
}

void PopupMenu::userChose(std::int32_t index)
{
    if (quiet_ > 0 || index == listIndex_)
        return;
    listIndex_ = index;
    raise("Change");
}

// Shows the row chosen without telling anyone.
void PopupMenu::choose(std::int32_t index)
{
    listIndex_ = index;
    if (!combo_)
        return;
    ++quiet_;
    combo_->setCurrentIndex(index);
    --quiet_;
}

void PopupMenu::AddRow(const platform::Text& text)
{
    if (!combo_)
        return;
    ++quiet_;
    combo_->addItem(QString::fromStdString(text.bytes()));
    --quiet_;
    // The combo box chooses the first row added to it by itself; here a row is chosen only
    // by code or by the user.
    if (combo_->currentIndex() != listIndex_)
        choose(listIndex_);
}

void PopupMenu::DeleteAllRows()
{
    if (combo_) {
        ++quiet_;
        combo_->clear();
        --quiet_;
    }
    listIndex_ = -1;
}

std::int32_t PopupMenu::ListCount() const { return combo_ ? combo_->count() : 0; }

void PopupMenu::setListIndex(std::int32_t index)
{
    if (index < -1 || index >= ListCount() || index == listIndex_)
        return;
    choose(index);
    raiseFromCode("Change");
}

platform::Text PopupMenu::Text() const { return RowText(listIndex_); }

platform::Text PopupMenu::RowText(std::int32_t index) const
{
    if (!combo_ || index < 0 || index >= combo_->count())
        return {};
    return platform::Text(combo_->itemText(index).toStdString());
}

// Rows end at carriage returns or line feeds (a CR LF pair is one break); a break at the very
// end starts no further row.
void PopupMenu::setInitialRows(const platform::Text& text)
{
    DeleteAllRows();
    QString rows = QString::fromStdString(text.bytes());
    rows.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    rows.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = rows.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        AddRow(platform::Text(line.toStdString()));
}

const PropertyTable& PopupMenu::propertyTable()
{
    static const PropertyTable table = classTable("PopupMenu", "InitialValue", {
        "TabIndex", "TabStop", "Enabled",
        key("InitialValue", noDefault, &PopupMenu::setInitialRows),
        // The row chosen when the window opens: a starting state, not a change.
        key("ListIndex", 0, [](PopupMenu& popup, std::int32_t index) {
            if (index >= -1 && index < popup.ListCount())
                popup.choose(index);
        }),
        "Visible", "HelpTag", "AutoDeactivate",
        "TextFont", "TextSize", "Bold", "Italic", "Underline",
        "DataSource", "DataField", "InitialParent",
    });
    return table;
}

} // namespace platform
