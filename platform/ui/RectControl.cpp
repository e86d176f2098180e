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
                        !widget_->toolTip().isEmpty();
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
    if (!immediately) {
        widget_->update();
        return;
    }
    // The control draws itself anew whenever what it shows changes; drawing now what has
    // changed in its window brings it up to date (as Window::Refresh does).
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(widget_->window(), &request);
}

void RectControl::changeFont(const std::function<void(QFont&)>& change)
{
    if (!widget_)
        return;
    QFont font = widget_->font();
    change(font);
    widget_->setFont(font);
}

// The table lambdas below reach the widget without testing for it: a description is
// applied only to a constructed control (SetProperties).
const std::vector<PropertyEntry>& RectControl::sharedKeys()
{
    // While a description is applied, the window has its described size.
    const auto place = [](void (QRect::*change)(int)) {
        return [change](RectControl& control, std::int32_t value) {
            control.windowSize_ = control.baseWindowSize_ = control.currentWindowSize();
            (control.base_.*change)(value);
            control.placeWidget();
        };
    };
    const auto lock = [](int edge) { return [edge](RectControl& control, bool on) { control.locks_[edge] = on; }; };
    const auto fontStyle = [](void (QFont::*style)(bool)) {
        return [style](RectControl& control, bool on) { control.changeFont([&](QFont& font) { (font.*style)(on); }); };
    };
    constexpr std::string_view noDatabases = "binds the control to a database, and this framework has no databases";
    static const std::vector<PropertyEntry> keys = [&] {
        std::vector<PropertyEntry> all = Control::sharedKeys();
        all.insert(all.end(), {
            key("Left", noDefault, place(&QRect::moveLeft)),
            key("Top", noDefault, place(&QRect::moveTop)),
            key("Width", noDefault, place(&QRect::setWidth)),
            key("Height", noDefault, place(&QRect::setHeight)),
            key("LockLeft", noDefault, lock(0)),
            key("LockTop", noDefault, lock(1)),
            key("LockRight", noDefault, lock(2)),
            key("LockBottom", noDefault, lock(3)),
            noEffect("TabPanelIndex", 0, "this framework has no tab panels: every control stands on its window"),
            // The window orders Tab by it once all its controls exist.
            key("TabIndex", noDefault, [](RectControl& control, std::int32_t index) { control.tabIndex_ = index; }),
            // Left out of the Tab order, a control can still be clicked into.
            key("TabStop", true, [](RectControl& control, bool on) {
                const bool clickable = control.widget_->focusPolicy() & Qt::ClickFocus;
                if (!on)
                    control.widget_->setFocusPolicy(clickable ? Qt::ClickFocus : Qt::NoFocus);
            }),
            key("Visible", true, &RectControl::setVisible),
            key("Enabled", true, &RectControl::setEnabled),
            key("HelpTag", Text(), [](RectControl& control, const Text& tip) {
                control.widget_->setToolTip(QString::fromStdString(tip.bytes()));
                // The help tag shows only where the pointer reaches the control.
                control.updateMouseTransparency();
            }),
            noEffect("AutoDeactivate", true, "the desktop's style already draws an inactive window's controls as such"),
            // The enclosing control was created first, so this one stands on top of it; the
            // place stays in window coordinates.
            key("InitialParent", Text(), [](RectControl& control, const Text& parent) {
                control.initialParent_ = parent;
                control.widget_->raise();
            }),
            // "System" is the desktop's font.
            key("TextFont", Text("System"), [](RectControl& control, const Text& family) {
                const bool desktop = family == "System" || family.empty();
                const QString name = desktop ? QApplication::font(control.widget_).family() : QString(family.c_str());
                control.changeFont([&](QFont& font) { font.setFamily(name); });
            }),
            // Sizes were given in points of a 72-dpi screen, where a point is a pixel: taken as
            // pixels they keep the text inside the places the layout gives it. 0 is the
            // desktop's size.
            key("TextSize", 0, [](RectControl& control, std::int32_t size) {
                const qreal desktop = QApplication::font(control.widget_).pointSizeF();
                control.changeFont([&](QFont& font) {
                    size > 0 ? font.setPixelSize(size) : font.setPointSizeF(desktop);
                });
            }),
            key("Bold", false, fontStyle(&QFont::setBold)),
            key("Italic", false, fontStyle(&QFont::setItalic)),
            key("Underline", false, fontStyle(&QFont::setUnderline)),
            noEffect("UseFocusRing", true, "the desktop's style draws its own focus frame"),
            noEffect("DataSource", Text(), noDatabases),
            noEffect("DataField", Text(), noDatabases),
        });
        return all;
    }();
    return keys;
}

PropertyTable RectControl::classTable(std::string_view className, std::string_view textKey,
                                      std::vector<TableLine> lines)
{
    std::vector<TableLine> all{"Name",     "Index",   "Left",      "Top",        "Width",        "Height",
                               "LockLeft", "LockTop", "LockRight", "LockBottom", "TabPanelIndex"};
    all.insert(all.end(), lines.begin(), lines.end());
    return PropertyTable(className, textKey, sharedKeys(), all);
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
