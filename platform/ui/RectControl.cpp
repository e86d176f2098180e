#include "ui/RectControl.h"

#include "ui/Window.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QMouseEvent>
#include <QWidget>

namespace platform {

// Hands the widget's events to its control. A QObject of its own, so that the control
// itself stays a plain run-time object.
class RectControl::EventRelay : public QObject {
public:
    explicit EventRelay(RectControl& control) : control_(control) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return control_.filterEvent(watched, event); }

private:
    RectControl& control_;
};

RectControl::~RectControl()
{
    // The window's content area owns the widget; it may already be gone.
    if (widget_) {
        widget_->removeEventFilter(relay_);
        if (QWidget* events = eventWidget(); events && events != widget_)
            events->removeEventFilter(relay_);
        widget_->hide();
        widget_->deleteLater();
    }
    delete relay_;
}

void RectControl::Constructor()
{
    if (widget_)
        return;
    Ref<Window> owner = window();
    if (!owner)
        throw NilObjectException("The window of a new control");
    widget_ = createWidget(owner->content());
    relay_ = new EventRelay(*this);
    widget_->installEventFilter(relay_);
    if (QWidget* events = eventWidget(); events && events != widget_)
        events->installEventFilter(relay_);
    widget_->setAttribute(Qt::WA_Hover, true);
    windowSize_ = baseWindowSize_ = currentWindowSize();
    placeWidget();
    updateMouseTransparency();
    widget_->setVisible(visible_);
}

void RectControl::handlerInstalled(std::string_view event)
{
    if (event == "MouseDown" || event == "MouseEnter" || event == "MouseExit")
        updateMouseTransparency();
}

void RectControl::updateMouseTransparency()
{
    if (!widget_ || !mouseGoesThroughWhenUnbound())
        return;
    const bool wanted = hasHandler("MouseDown") || hasHandler("MouseEnter") || hasHandler("MouseExit") ||
                        !helpTag_.empty();
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents, !wanted);
}

QSize RectControl::currentWindowSize() const
{
    Ref<Window> owner = window();
    return owner && owner->content() ? owner->content()->size() : QSize(0, 0);
}

std::int32_t RectControl::Left() const { return widget_ ? widget_->x() : base_.x(); }
std::int32_t RectControl::Top() const { return widget_ ? widget_->y() : base_.y(); }
std::int32_t RectControl::Width() const { return widget_ ? widget_->width() : base_.width(); }
std::int32_t RectControl::Height() const { return widget_ ? widget_->height() : base_.height(); }

// Setting a place from code takes the control's current place as the new base, so that
// later resizing moves it from where it is now.
void RectControl::setLeft(std::int32_t left)
{
    base_ = QRect(left, Top(), Width(), Height());
    baseWindowSize_ = windowSize_;
    placeWidget();
}

void RectControl::setTop(std::int32_t top)
{
    base_ = QRect(Left(), top, Width(), Height());
    baseWindowSize_ = windowSize_;
    placeWidget();
}

void RectControl::setWidth(std::int32_t width)
{
    base_ = QRect(Left(), Top(), width, Height());
    baseWindowSize_ = windowSize_;
    placeWidget();
}

void RectControl::setHeight(std::int32_t height)
{
    base_ = QRect(Left(), Top(), Width(), height);
    baseWindowSize_ = windowSize_;
    placeWidget();
}

void RectControl::followWindow(QSize contentSize)
{
    windowSize_ = contentSize;
    placeWidget();
}

void RectControl::placeWidget()
{
    if (!widget_)
        return;
    const int dx = windowSize_.width() - baseWindowSize_.width();
    const int dy = windowSize_.height() - baseWindowSize_.height();
    int left = base_.x(), top = base_.y(), width = base_.width(), height = base_.height();
    // An edge locked on both sides stretches; locked on the far side only, it moves.
    if (LockRight()) {
        if (LockLeft())
            width += dx;
        else
            left += dx;
    }
    if (LockBottom()) {
        if (LockTop())
            height += dy;
        else
            top += dy;
    }
    widget_->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void RectControl::setVisible(bool visible)
{
    visible_ = visible;
    if (widget_)
        widget_->setVisible(visible);
}

void RectControl::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (widget_)
        widget_->setEnabled(enabled);
}

void RectControl::Refresh(bool immediately)
{
    if (!widget_)
        return;
    if (immediately)
        widget_->repaint();
    else
        widget_->update();
}

void RectControl::applyProperty(const DescriptionEntry& entry)
{
    const std::string& key = entry.key;
    if (key == "Left" || key == "Top" || key == "Width" || key == "Height") {
        const std::int32_t v = valueAs<std::int32_t>(entry);
        // While the description is applied, the window has its described size.
        windowSize_ = baseWindowSize_ = currentWindowSize();
        if (key == "Left")
            base_.moveLeft(v);
        else if (key == "Top")
            base_.moveTop(v);
        else if (key == "Width")
            base_.setWidth(v);
        else
            base_.setHeight(v);
        placeWidget();
    } else if (key == "LockLeft" || key == "LockTop" || key == "LockRight" || key == "LockBottom") {
        const int edge = key == "LockLeft" ? 0 : key == "LockTop" ? 1 : key == "LockRight" ? 2 : 3;
        locks_[edge] = valueAs<bool>(entry);
    } else if (key == "Visible") {
        setVisible(valueAs<bool>(entry));
    } else if (key == "Enabled") {
        setEnabled(valueAs<bool>(entry));
    } else if (key == "HelpTag") {
        helpTag_ = valueAs<Text>(entry);
        if (widget_)
            widget_->setToolTip(QString::fromStdString(helpTag_.bytes()));
        // The help tag shows only where the pointer reaches the control.
        updateMouseTransparency();
    } else if (key == "InitialParent") {
        // The enclosing control is drawn first (it was created first), so this one stands
        // on top of it; the place stays in window coordinates.
        initialParent_ = valueAs<Text>(entry);
        if (widget_)
            widget_->raise();
    } else if (key == "TabIndex") {
        tabIndex_ = valueAs<std::int32_t>(entry);
    } else if (key == "TabStop") {
        if (widget_ && !valueAs<bool>(entry))
            widget_->setFocusPolicy(Qt::NoFocus);
    } else if (key == "TabPanelIndex" || key == "AutoDeactivate") {
        // Only meaningful inside tab panels and for inactive windows; kept as given.
    } else {
        Control::applyProperty(entry);
    }
}

bool RectControl::applyFontProperty(const DescriptionEntry& entry)
{
    if (!widget_)
        return false;
    const std::string& key = entry.key;
    QFont font = widget_->font();
    if (key == "TextFont") {
        const std::string family = valueAs<Text>(entry).bytes();
        if (family == "System" || family.empty())
            font.setFamily(QApplication::font(widget_).family());
        else
            font.setFamily(QString::fromStdString(family));
    } else if (key == "TextSize") {
        // Sizes were given in points of a 72-dpi screen, where a point is a pixel: taken as
        // pixels they keep the text inside the places the layout gives it.
        const std::int32_t size = valueAs<std::int32_t>(entry);
        if (size > 0)
            font.setPixelSize(size);
        else
            font.setPointSizeF(QApplication::font(widget_).pointSizeF());
    } else if (key == "Bold") {
        font.setBold(valueAs<bool>(entry));
    } else if (key == "Italic") {
        font.setItalic(valueAs<bool>(entry));
    } else if (key == "Underline") {
        font.setUnderline(valueAs<bool>(entry));
    } else {
        return false;
    }
    widget_->setFont(font);
    return true;
}

std::vector<EventSpec> RectControl::events() const
{
    return {{"MouseDown", "( Int32, Int32 ) as Boolean"}, {"MouseEnter", "(  )"}, {"MouseExit", "(  )"}};
}

bool RectControl::filterEvent(QObject* watched, QEvent* event)
{
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        raise("MouseEnter");
        return false;
    case QEvent::Leave:
        raise("MouseExit");
        return false;
    case QEvent::MouseButtonPress: {
        if (!hasHandler("MouseDown"))
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        return raiseBoolean("MouseDown", {std::int32_t{at.x()}, std::int32_t{at.y()}});
    }
    default:
        return false;
    }
}

} // namespace platform
