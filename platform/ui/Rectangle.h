#pragma once

// A filled rectangle with a two-coloured border: the top and left edges in one colour, the
// bottom and right edges in another.

#include "ui/RectControl.h"

namespace platform {

class Rectangle : public RectControl {
public:
    static constexpr const char* kClassName = "Rectangle";
    static constexpr std::string_view kTypeName = "Rectangle";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    void showColors();

    Color fill_ = Color::rgb(0xFFFFFF);
    std::int32_t borderWidth_ = 1;
    Color topLeft_ = Color::rgb(0x000000);
    Color bottomRight_ = Color::rgb(0x000000);
};

} // namespace platform
