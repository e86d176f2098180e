#pragma once

// A surface that shows its backdrop picture at its top left corner.

#include "pictures/Picture.h"
#include "ui/RectControl.h"

namespace platform {

class Canvas : public RectControl {
public:
    static constexpr const char* kClassName = "Canvas";
    static constexpr std::string_view kTypeName = "Canvas";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }

    // An empty handle shows no picture.
    const Ref<Picture>& Backdrop() const { return backdrop_; }
    void setBackdrop(const Ref<Picture>& picture);

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    void showFocusPolicy();

    Ref<Picture> backdrop_;
    bool tabStop_ = true;
    bool acceptFocus_ = false;
};

} // namespace platform
