#include "ui/Canvas.h"

#include <QKeyEvent>
#include <QPainter>

namespace platform {

namespace {

class CanvasSurface : public QWidget {
public:
    using QWidget::QWidget;

    QPixmap backdrop;
    bool acceptTabs = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (backdrop.isNull())
            return;
        QPainter painter(this);
        painter.drawPixmap(0, 0, backdrop);
    }

    bool event(QEvent* event) override
    {
        // A canvas that accepts tabs keeps the Tab key instead of passing the focus on.
        if (acceptTabs && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                keyPressEvent(static_cast<QKeyEvent*>(event));
                return true;
            }
        }
        return QWidget::event(event);
    }
};

} // namespace

QWidget* Canvas::createWidget(QWidget* parent)
{
    auto* surface = new CanvasSurface(parent);
    surface->setFocusPolicy(focusPolicy());
    surface->backdrop = backdrop_ ? backdrop_->pixmap() : QPixmap();
    surface->acceptTabs = acceptTabs_;
    return surface;
}

void Canvas::setBackdrop(const Ref<Picture>& picture)
{
    backdrop_ = picture;
    if (auto* surface = static_cast<CanvasSurface*>(widget())) {
        surface->backdrop = picture ? picture->pixmap() : QPixmap();
        surface->update();
    }
}

// A canvas takes the focus only when it accepts it; TabStop then decides whether Tab
// reaches it or only a click does.
Qt::FocusPolicy Canvas::focusPolicy() const
{
    return !acceptFocus_ ? Qt::NoFocus : tabStop_ ? Qt::StrongFocus : Qt::ClickFocus;
}

void Canvas::applyProperty(const DescriptionEntry& entry)
{
    const std::string& key = entry.key;
    if (key == "TabStop") {
        tabStop_ = valueAs<bool>(entry);
        if (QWidget* surface = widget())
            surface->setFocusPolicy(focusPolicy());
    } else if (key == "AcceptFocus") {
        acceptFocus_ = valueAs<bool>(entry);
        if (QWidget* surface = widget())
            surface->setFocusPolicy(focusPolicy());
    } else if (key == "AcceptTabs") {
        acceptTabs_ = valueAs<bool>(entry);
        if (auto* surface = static_cast<CanvasSurface*>(widget()))
            surface->acceptTabs = acceptTabs_;
    } else if (key == "UseFocusRing" || key == "DoubleBuffer" || key == "EraseBackground") {
        // Qt draws every widget double-buffered on a cleared background, with the style's
        // own focus frame.
    } else {
        RectControl::applyProperty(entry);
    }
}

} // namespace platform
