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
        // A canvas that accepts tabs keeps the Tab key instead of passing the focus on. The
        // key is taken here: left unaccepted, it would go on to the window, which moves the
        // focus.
        if (acceptTabs && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                event->accept();
                return true;
            }
        }
        return QWidget::event(event);
    }
};

} // namespace

QWidget* Canvas::createWidget(QWidget* parent)
{
    // Like every widget, it takes no focus until its description says it accepts it.
    auto* surface = new CanvasSurface(parent);
    surface->backdrop = backdrop_ ? backdrop_->pixmap() : QPixmap();
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
void Canvas::showFocusPolicy()
{
    widget()->setFocusPolicy(!acceptFocus_ ? Qt::NoFocus : tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
}

const PropertyTable& Canvas::propertyTable()
{
    const auto focus = [](bool Canvas::*member) { return kept(member, &Canvas::showFocusPolicy); };
    static const PropertyTable table = classTable("Canvas", "", {
        "TabIndex",
        key("TabStop", true, focus(&Canvas::tabStop_)),
        "Visible", "HelpTag", "AutoDeactivate", "Enabled", "UseFocusRing",
        key("AcceptFocus", false, focus(&Canvas::acceptFocus_)),
        key("AcceptTabs", false,
            [](Canvas& canvas, bool on) { static_cast<CanvasSurface*>(canvas.widget())->acceptTabs = on; }),
        noEffect("DoubleBuffer", false, "Qt already paints every widget double-buffered"),
        noEffect("EraseBackground", true, "Qt paints every widget over its parent's background, with no erasing"),
        "InitialParent",
    });
    return table;
}

} // namespace platform
