#include "ui/PushButton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace platform {

// Qt only gives default buttons their keys inside dialogs; our windows are main windows.
// So the button watches its window for the Return, Enter and Escape presses that no
// control took (a single-line field or a list passes them on, a multi-line field keeps
// Return) and clicks itself. A child of the button, so it goes with it.
class PushButton::WindowKeys : public QObject {
public:
    explicit WindowKeys(QPushButton* button) : QObject(button), button_(button) {}

    bool answersReturn = false;
    bool answersEscape = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool modifiersFree = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool isEscape = key->key() == Qt::Key_Escape;
        const bool wanted = modifiersFree && ((answersReturn && isReturn) || (answersEscape && isEscape));
        if (!wanted || !button_ || !button_->isVisible() || !button_->isEnabled())
            return false;
        button_->click();
        return true;
    }

private:
    QPointer<QPushButton> button_;
};

QWidget* PushButton::createWidget(QWidget* parent)
{
    button_ = new QPushButton(parent);
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_, [weak = weak_from_this()] {
        // The handler may close the window and so release this control; `self` keeps it
        // alive until the handler has returned.
        if (const auto self = weak.lock())
            static_cast<PushButton&>(*self).raise("Action");
    });
    return button_;
}

std::vector<EventSpec> PushButton::events() const
{
    auto specs = RectControl::events();
    specs.push_back({"Action", "(  )"});
    return specs;
}

platform::Text PushButton::Caption() const
{
    return button_ ? platform::Text(button_->text().toStdString()) : platform::Text();
}

void PushButton::setCaption(const platform::Text& caption)
{
    if (button_)
        button_->setText(QString::fromStdString(caption.bytes()));
}

void PushButton::setAnswersKey(bool defaultKey, bool on)
{
    if (!button_)
        return;
    if (!windowKeys_) {
        windowKeys_ = new WindowKeys(button_);
        button_->window()->installEventFilter(windowKeys_);
    }
    if (defaultKey) {
        windowKeys_->answersReturn = on;
        button_->setDefault(on);
    } else {
        windowKeys_->answersEscape = on;
    }
}

const PropertyTable& PushButton::propertyTable()
{
    static const PropertyTable table = classTable("PushButton", "Caption", {
        "TabIndex", "TabStop",
        key("Caption", noDefault, &PushButton::setCaption),
        key("Default", false, [](PushButton& button, bool on) { button.setAnswersKey(true, on); }),
        key("Cancel", false, [](PushButton& button, bool on) { button.setAnswersKey(false, on); }),
        "Enabled", "Visible", "HelpTag", "AutoDeactivate",
        "TextFont", "TextSize", "Bold", "Italic", "Underline",
        "InitialParent",
    });
    return table;
}

} // namespace platform
