#include "ui/ProgressBar.h"

#include <QProgressBar>

#include <algorithm>

namespace platform {

QWidget* ProgressBar::createWidget(QWidget* parent)
{
    bar_ = new QProgressBar(parent);
    bar_->setTextVisible(false);
    showValue();
    return bar_;
}

void ProgressBar::setValue(std::int32_t value)
{
    value_ = value;
    showValue();
}

void ProgressBar::setMaximum(std::int32_t maximum)
{
    maximum_ = maximum;
    showValue();
}

// QProgressBar drops values outside its range and turns a 0...0 range into a busy
// indicator, so the bar is given only what it can show.
void ProgressBar::showValue()
{
    if (!bar_)
        return;
    if (maximum_ <= 0) {
        bar_->setRange(0, 1);
        bar_->setValue(0);
    } else {
        bar_->setRange(0, maximum_);
        bar_->setValue(std::clamp(value_, 0, maximum_));
    }
}

const PropertyTable& ProgressBar::propertyTable()
{
    static const PropertyTable table = classTable("ProgressBar", "", {
        "Visible", "HelpTag", "AutoDeactivate", "Enabled",
        key("Value", noDefault, &ProgressBar::setValue),
        key("Maximum", noDefault, &ProgressBar::setMaximum),
        "InitialParent",
    });
    return table;
}

} // namespace platform
