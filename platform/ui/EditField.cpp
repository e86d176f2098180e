#include "ui/EditField.h"

#include "ui/KeyDownText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace platform {

namespace {

// The program writes masks with the characters of database input masks ("0" a digit,
// "9" an optional digit, "L" a letter, ...); Qt's line edit spells them differently.
// Every other character is a literal, escaped where Qt would read it as a mask character.
QString qtInputMask(const Text& mask)
{
    const QString given = QString::fromStdString(mask.bytes());
    const QString qtSpecial = QStringLiteral("AaNnXx90Dd#HhBb<>!\\;[]{}");
    QString result;
    for (qsizetype i = 0; i < given.size(); ++i) {
        const QChar c = given.at(i);
        switch (c.unicode()) {
        case '0': result += QLatin1Char('9'); break;
        case '9': result += QLatin1Char('0'); break;
        case '#': result += QLatin1Char('#'); break;
        case 'L': result += QLatin1Char('A'); break;
        case '?': result += QLatin1Char('a'); break;
        case 'A': result += QLatin1Char('N'); break;
        case 'a': result += QLatin1Char('n'); break;
        case '&': result += QLatin1Char('X'); break;
        case 'C': result += QLatin1Char('x'); break;
        case '>': result += QLatin1Char('>'); break;
        case '<': result += QLatin1Char('<'); break;
        case '\\':
            if (i + 1 < given.size()) {
                result += QLatin1Char('\\');
                result += given.at(++i);
            }
            break;
        default:
            if (qtSpecial.contains(c))
                result += QLatin1Char('\\');
            result += c;
        }
    }
    return result;
}

Qt::Alignment horizontalAlignment(std::int32_t alignment)
{
    switch (alignment) {
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignRight;
    default: // 0 is the default alignment, which is left, like 1
        return Qt::AlignLeft;
    }
}

QColor toQColor(Color c) { return QColor(c.red, c.green, c.blue); }

} // namespace

// Shows the editor's key presses to the field before the editor handles them.
class EditField::KeyWatcher : public QObject {
public:
    KeyWatcher(QObject* editor, std::weak_ptr<Object> field) : QObject(editor), field_(std::move(field)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto field = field_.lock();
        return field && static_cast<EditField&>(*field).keyPressed(*static_cast<QKeyEvent*>(event));
    }

private:
    std::weak_ptr<Object> field_;
};

QWidget* EditField::createWidget(QWidget* parent)
{
    box_ = new QWidget(parent);
    auto* layout = new QVBoxLayout(box_);
    layout->setContentsMargins(0, 0, 0, 0);
    makeEditor(false);
    return box_;
}

std::vector<EventSpec> EditField::events() const
{
    auto specs = RectControl::events();
    specs.push_back({"TextChange", "(  )"});
    specs.push_back({"KeyDown", "( String ) as Boolean"});
    return specs;
}

// Replaces the editor by one of the other kind, keeping the text without raising
// TextChange: the text has not changed.
void EditField::makeEditor(bool multiline)
{
    const QString text = editorText();
    delete line_;
    delete lines_;
    multiline_ = multiline;
    QWidget* editor = nullptr;
    const auto weak = weak_from_this();
    auto changed = [weak] {
        if (const auto self = weak.lock())
            static_cast<EditField&>(*self).editorTextChanged();
    };
    if (multiline) {
        lines_ = new QPlainTextEdit(box_);
        lines_->setPlainText(text);
        QObject::connect(lines_, &QPlainTextEdit::textChanged, lines_, changed);
        editor = lines_;
    } else {
        line_ = new QLineEdit(box_);
        maskShown_.clear();
        line_->setText(text);
        QObject::connect(line_, &QLineEdit::textChanged, line_, changed);
        editor = line_;
    }
    editor->installEventFilter(new KeyWatcher(editor, weak));
    box_->layout()->addWidget(editor);
    box_->setFocusProxy(editor);
    seenText_ = editorText();
    configureEditor();
}

void EditField::configureEditor()
{
    QWidget* editor = line_ ? static_cast<QWidget*>(line_) : static_cast<QWidget*>(lines_);
    if (!editor)
        return;
    // A field left out of the tab order can still be clicked into.
    editor->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    QPalette palette = editor->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Text, toQColor(textColor_));
        palette.setColor(group, QPalette::Base, toQColor(backColor_));
    }
    editor->setPalette(palette);
    const Qt::Alignment alignment = horizontalAlignment(alignment_);
    if (line_) {
        line_->setReadOnly(readOnly_);
        line_->setEchoMode(password_ ? QLineEdit::Password : QLineEdit::Normal);
        line_->setMaxLength(limitText_ > 0 ? limitText_ : 32767);
        line_->setFrame(border_);
        line_->setAlignment(alignment | Qt::AlignVCenter);
        // Setting a mask reformats the text, so it is set only when it changes.
        const QString mask = mask_.empty() ? QString() : qtInputMask(mask_);
        if (mask != maskShown_) {
            line_->setInputMask(mask);
            maskShown_ = mask;
        }
    } else {
        lines_->setReadOnly(readOnly_);
        lines_->setFrameShape(border_ ? QFrame::StyledPanel : QFrame::NoFrame);
        lines_->setTabChangesFocus(!acceptTabs_);
        QTextOption option = lines_->document()->defaultTextOption();
        option.setAlignment(alignment);
        lines_->document()->setDefaultTextOption(option);
        // Without a horizontal scroll bar, long lines wrap at the field's edge.
        lines_->setLineWrapMode(scrollbarHorizontal_ ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        lines_->setHorizontalScrollBarPolicy(scrollbarHorizontal_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        lines_->setVerticalScrollBarPolicy(scrollbarVertical_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        keepWithinLimit();
    }
}

QString EditField::editorText() const
{
    if (line_)
        return line_->text();
    if (lines_)
        return lines_->toPlainText();
    return {};
}

platform::Text EditField::Text() const
{
    QString text = editorText();
    if (multiline_)
        text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return platform::Text(text.toStdString());
}

void EditField::setText(const platform::Text& text)
{
    QString shown = QString::fromStdString(text.bytes());
    if (multiline_) {
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    // The editor changes quietly; TextChange follows from here, every time, also for the
    // text the field already had.
    ++quiet_;
    if (line_)
        line_->setText(shown);
    else if (lines_)
        lines_->setPlainText(shown);
    keepWithinLimit();
    --quiet_;
    seenText_ = editorText();
    raiseFromCode("TextChange");
}

void EditField::editorTextChanged()
{
    if (quiet_ > 0)
        return;
    keepWithinLimit();
    const QString text = editorText();
    if (text == seenText_)
        return;
    seenText_ = text;
    raise("TextChange");
}

// A multi-line editor has no length limit of its own: what goes beyond the limit is taken
// out again, the characters just typed (before the cursor) first.
void EditField::keepWithinLimit()
{
    if (!lines_ || limitText_ <= 0)
        return;
    const int excess = lines_->document()->characterCount() - 1 - limitText_;
    if (excess <= 0)
        return;
    ++quiet_;
    QTextCursor cursor = lines_->textCursor();
    if (cursor.position() >= excess) {
        cursor.setPosition(cursor.position() - excess, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(limitText_);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
    --quiet_;
}

bool EditField::keyPressed(const QKeyEvent& event)
{
    if (!hasHandler("KeyDown"))
        return false;
    const platform::Text key = keyDownText(event);
    return !key.empty() && raiseBoolean("KeyDown", {key});
}

const PropertyTable& EditField::propertyTable()
{
    const auto option = [](auto member) { return kept(member, &EditField::configureEditor); };
    static const PropertyTable table = classTable("EditField", "Text", {
        "TabIndex",
        key("TabStop", true, option(&EditField::tabStop_)),
        key("Border", noDefault, option(&EditField::border_)),
        key("Multiline", false, [](EditField& edit, bool on) {
            if (on != edit.multiline_)
                edit.makeEditor(on);
        }),
        key("ScrollbarHorizontal", false, option(&EditField::scrollbarHorizontal_)), // a single line scrolls by itself
        key("ScrollbarVertical", true, option(&EditField::scrollbarVertical_)),      // a single line has none
        noEffect("Styled", false, "the text is plain, without styles"),
        key("Password", false, option(&EditField::password_)), // a multi-line field shows its text
        "UseFocusRing",
        key("TextColor", Color::rgb(0x000000), option(&EditField::textColor_)),
        key("BackColor", Color::rgb(0xFFFFFF), option(&EditField::backColor_)),
        "Enabled",
        noEffect("Format", platform::Text(), "the text is shown as typed, without a number format"),
        "Visible", "HelpTag", "AutoDeactivate",
        "TextFont", "TextSize", "Bold", "Italic", "Underline",
        key("Text", noDefault, &EditField::setText),
        key("Mask", platform::Text(), option(&EditField::mask_)), // single-line fields only
        key("ReadOnly", noDefault, option(&EditField::readOnly_)),
        key("LimitText", 0, option(&EditField::limitText_)),
        key("AcceptTabs", false, option(&EditField::acceptTabs_)), // a single line never takes the Tab key
        key("Alignment", 0, option(&EditField::alignment_)),
        "DataSource", "DataField", "InitialParent",
    });
    return table;
}

} // namespace platform
