#include "ui/StaticText.h"

#include <QLabel>

namespace platform {

namespace {

// The program ends its lines with carriage returns, alone or followed by a line feed; the
// label breaks lines at line feeds only.
QString displayedText(const Text& text)
{
    QString shown = QString::fromStdString(text.bytes());
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

} // namespace

QWidget* StaticText::createWidget(QWidget* parent)
{
    label_ = new QLabel(parent);
    // Plain text: a "<b>" in a file name must show as typed, never as markup.
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setText(displayedText(text_));
    return label_;
}

void StaticText::setText(const platform::Text& text)
{
    text_ = text;
    if (label_)
        label_->setText(displayedText(text));
}

void StaticText::setTextColor(Color color)
{
    if (!label_)
        return;
    // Only the active and inactive colours: a disabled label keeps the greyed text.
    QPalette palette = label_->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, QColor(color.red, color.green, color.blue));
    label_->setPalette(palette);
}

void StaticText::setBold(bool bold) { changeFont([bold](QFont& font) { font.setBold(bold); }); }
void StaticText::setItalic(bool italic) { changeFont([italic](QFont& font) { font.setItalic(italic); }); }
void StaticText::setUnderline(bool underline)
{
    changeFont([underline](QFont& font) { font.setUnderline(underline); });
}

const PropertyTable& StaticText::propertyTable()
{
    static const PropertyTable table = classTable("StaticText", "Text", {
        "TabIndex",
        key("Text", noDefault, &StaticText::setText),
        key("TextAlign", 0, [](StaticText& label, std::int32_t align) {
            const Qt::Alignment across = align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft;
            label.label_->setAlignment(across | Qt::AlignTop);
        }),
        key("TextColor", Color::rgb(0x000000), &StaticText::setTextColor),
        key("Multiline", false, [](StaticText& label, bool on) { label.label_->setWordWrap(on); }),
        "Enabled", "Visible", "HelpTag", "AutoDeactivate",
        "TextFont", "TextSize", "Bold", "Italic", "Underline",
        "DataSource", "DataField", "InitialParent",
    });
    return table;
}

} // namespace platform
