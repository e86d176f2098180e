#include "ui/Rectangle.h"

#include <QPainter>

#include <algorithm>

namespace platform {

namespace {

QColor toQColor(Color c) { return QColor(c.red, c.green, c.blue); }

class RectangleSurface : public QWidget {
public:
    using QWidget::QWidget;

    QColor fill{Qt::white};
    int borderWidth = 1;
    QColor topLeft{Qt::black};
    QColor bottomRight{Qt::black};

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), fill);
        // A border wider than half the rectangle would only paint over itself.
        const int b = std::min({borderWidth, (width() + 1) / 2, (height() + 1) / 2});
        if (b <= 0)
            return;
        painter.fillRect(0, 0, width(), b, topLeft);
        painter.fillRect(0, 0, b, height(), topLeft);
        painter.fillRect(0, height() - b, width(), b, bottomRight);
        painter.fillRect(width() - b, 0, b, height(), bottomRight);
    }
};

} // namespace

QWidget* Rectangle::createWidget(QWidget* parent) { return new RectangleSurface(parent); }

void Rectangle::showColors()
{
    auto* surface = static_cast<RectangleSurface*>(widget());
    if (!surface)
        return;
    surface->fill = toQColor(fill_);
    surface->borderWidth = borderWidth_;
    surface->topLeft = toQColor(topLeft_);
    surface->bottomRight = toQColor(bottomRight_);
    surface->update();
}

const PropertyTable& Rectangle::propertyTable()
{
    const auto look = [](auto member) { return kept(member, &Rectangle::showColors); };
    static const PropertyTable table = classTable("Rectangle", "", {
        "Visible", "HelpTag", "AutoDeactivate", "Enabled",
        key("FillColor", noDefault, look(&Rectangle::fill_)),
        key("BorderWidth", noDefault, look(&Rectangle::borderWidth_)),
        key("TopLeftColor", noDefault, look(&Rectangle::topLeft_)),
        key("BottomRightColor", noDefault, look(&Rectangle::bottomRight_)),
        "InitialParent",
    });
    return table;
}

} // namespace platform
