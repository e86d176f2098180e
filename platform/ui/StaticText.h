#pragma once

// A label: text the user reads but does not edit.

#include "ui/RectControl.h"

#include <QPointer>

class QLabel;

namespace platform {

class StaticText : public RectControl {
public:
    static constexpr const char* kClassName = "StaticText";
    static constexpr std::string_view kTypeName = "StaticText";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }

    // Carriage returns (character 13) in the text are line breaks.
    const platform::Text& Text() const { return text_; }
    void setText(const platform::Text& text);
    void setTextColor(Color color);
    void setBold(bool bold);
    void setItalic(bool italic);
    void setUnderline(bool underline);

protected:
    QWidget* createWidget(QWidget* parent) override;
    // A label that no mouse handler asks for lets presses through to the control beneath it
    // (the main window's count line lies over the lower part of "Play").
    bool mouseGoesThroughWhenUnbound() const override { return true; }

private:
    platform::Text text_;
    QPointer<QLabel> label_;
};

} // namespace platform
