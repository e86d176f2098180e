#pragma once

// A bar that fills up to Value out of Maximum.

#include "ui/RectControl.h"

#include <QPointer>

class QProgressBar;

namespace platform {

class ProgressBar : public RectControl {
public:
    static constexpr const char* kClassName = "ProgressBar";
    static constexpr std::string_view kTypeName = "ProgressBar";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }

    // The value as it was set, also above the maximum or below 0; the bar shows it
    // clamped to 0...Maximum.
    std::int32_t Value() const { return value_; }
    void setValue(std::int32_t value);
    // A maximum of 0 (or less) shows an empty bar.
    std::int32_t Maximum() const { return maximum_; }
    void setMaximum(std::int32_t maximum);

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    void showValue();

    QPointer<QProgressBar> bar_;
    std::int32_t value_ = 0;
    std::int32_t maximum_ = 100;
};

} // namespace platform
