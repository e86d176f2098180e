#pragma once

// A control with a place on screen, backed by a Qt widget inside its window's content
// area. Places are in window coordinates, also for a control that stands inside another
// (InitialParent); the locked edges follow the window's edges when it is resized.

#include "ui/Control.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>

class QObject;
class QEvent;
class QFont;

namespace platform {

class RectControl : public Control {
public:
    static constexpr const char* kClassName = "RectControl";
    static constexpr std::string_view kTypeName = "RectControl";

    ~RectControl() override;

    // Makes the widget inside the owning window's content area.
    void Constructor() override;
    QWidget* widget() const { return widget_; }

    std::int32_t Left() const;
    std::int32_t Top() const;
    std::int32_t Width() const;
    std::int32_t Height() const;
    void setLeft(std::int32_t left);
    void setTop(std::int32_t top);
    void setWidth(std::int32_t width);
    void setHeight(std::int32_t height);

    bool LockLeft() const { return locks_[0]; }
    bool LockTop() const { return locks_[1]; }
    bool LockRight() const { return locks_[2]; }
    bool LockBottom() const { return locks_[3]; }

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const Text& InitialParent() const { return initialParent_; }
    // The control's place in its window's Tab order.
    std::int32_t TabIndex() const { return tabIndex_; }

    // Redraws the control: at once when `immediately` is True, else at the next turn of
    // the event loop.
    void Refresh(bool immediately);

    void followWindow(QSize contentSize) override;

    std::vector<EventSpec> events() const override;

protected:
    // A control class's table: the common head (Name, Index, Left, Top, Width, Height,
    // LockLeft, LockTop, LockRight, LockBottom, TabPanelIndex), then the class's own lines,
    // which name the keys of sharedKeys() by their name alone.
    static PropertyTable classTable(std::string_view className, std::string_view textKey,
                                    std::vector<TableLine> lines);
    // The keys that most control classes have, with the same meaning in each: the common
    // head, TabIndex, TabStop, Visible, Enabled, HelpTag, AutoDeactivate, InitialParent,
    // the font keys, UseFocusRing, DataSource and DataField.
    static const std::vector<PropertyEntry>& sharedKeys();

    // Makes the Qt widget of the control, a child of the window's content area.
    virtual QWidget* createWidget(QWidget* parent) = 0;

    // Changes the font of the widget.
    void changeFont(const std::function<void(QFont&)>& change);

    // Widgets that receive the mouse and key events of this control (the widget itself by
    // default; a list's viewport, for instance).
    virtual QWidget* eventWidget() const { return widget_; }

    // Lets a subclass see the events of its widget first; return true to stop the event.
    virtual bool filterEvent(QObject* watched, QEvent* event);

    // True for a control that the mouse passes through to whatever lies beneath it, as
    // long as none of its mouse events is bound and it has no help tag.
    virtual bool mouseGoesThroughWhenUnbound() const { return false; }
    void handlerInstalled(std::string_view event) override;

private:
    class EventRelay;
    void placeWidget();
    QSize currentWindowSize() const;
    void updateMouseTransparency();

    QPointer<QWidget> widget_;
    EventRelay* relay_ = nullptr;
    QRect base_{0, 0, 0, 0};     // the place last set, in window coordinates
    QSize baseWindowSize_{0, 0}; // the window's content size when it was set
    QSize windowSize_{0, 0};     // the content size now
    bool locks_[4] = {false, false, false, false};
    bool visible_ = true;
    bool enabled_ = true;
    Text initialParent_;
    std::int32_t tabIndex_ = 0;
};

} // namespace platform
