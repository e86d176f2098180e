#pragma once

// A button that shows a picture and a caption; it can also stay down (toggle) when
// clicked. Raises Action when clicked.

#include "pictures/Picture.h"
#include "ui/RectControl.h"

#include <QPointer>

class QToolButton;

namespace platform {

class BevelButton : public RectControl {
public:
    static constexpr const char* kClassName = "BevelButton";
    static constexpr std::string_view kTypeName = "BevelButton";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }
    std::vector<EventSpec> events() const override;

    platform::Text Caption() const;
    void setCaption(const platform::Text& caption);
    // An empty handle shows no icon.
    const Ref<Picture>& Icon() const { return icon_; }
    void setIcon(const Ref<Picture>& icon);
    // Whether a toggling button is down.
    bool Value() const { return value_; }
    void setValue(bool down);

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    void clicked();
    void updateLook();

    QPointer<QToolButton> button_;
    Ref<Picture> icon_;
    std::int32_t captionPlacement_ = 0;
    std::int32_t buttonType_ = 0;
    bool value_ = false;
    bool tabStop_ = true;
    bool acceptFocus_ = false;
};

} // namespace platform
