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

void changeFont(QLabel* label, void (QFont::*setter)(bool), bool on)
{
    if (!label)
        return;
    QFont font = label->font();
    (font.*setter)(on);
    label->setFont(font);
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

void StaticText::setBold(bool bold) { changeFont(label_, &QFont::setBold, bold); }
void StaticText::setItalic(bool italic) { changeFont(label_, &QFont::setItalic, italic); }
void StaticText::setUnderline(bool underline) { changeFont(label_, &QFont::setUnderline, underline); }

void StaticText::applyProperty(const DescriptionEntry& entry)
{
    const std::string& key = entry.key;
    if (key == "Text") {
        setText(valueAs<platform::Text>(entry));
    } else if (key == "TextAlign") {
        const std::int32_t align = valueAs<std::int32_t>(entry);
        const Qt::Alignment horizontal = align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft;
        if (label_)
            label_->setAlignment(horizontal | Qt::AlignTop);
    } else if (key == "TextColor") {
        setTextColor(valueAs<Color>(entry));
    } else if (key == "Multiline") {
        if (label_)
            label_->setWordWrap(valueAs<bool>(entry));
    } else if (key == "DataSource" || key == "DataField") {
        // Database binding: this program keeps no databases.
    } else if (!applyFontProperty(entry)) {
        RectControl::applyProperty(entry);
    }
}

} // namespace platform
