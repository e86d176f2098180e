#pragma once

// A push button: raises Action when clicked. The default button also answers Return and
// Enter, the cancel button Escape, when no other control takes those keys.

#include "ui/RectControl.h"

#include <QPointer>

class QPushButton;

namespace platform {

class PushButton : public RectControl {
public:
    static constexpr const char* kClassName = "PushButton";
    static constexpr std::string_view kTypeName = "PushButton";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }
    std::vector<EventSpec> events() const override;

    platform::Text Caption() const;
    void setCaption(const platform::Text& caption);

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    class WindowKeys;
    void setAnswersKey(bool defaultKey, bool on);

    QPointer<QPushButton> button_;
    QPointer<WindowKeys> windowKeys_;
};

} // namespace platform
