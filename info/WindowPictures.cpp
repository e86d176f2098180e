#include "info/WindowPictures.h"

namespace parvolin {

namespace {

void setPicture(platform::Control& control, const platform::Ref<platform::Picture>& picture)
{
    if (auto* canvas = dynamic_cast<platform::Canvas*>(&control))
        canvas->setBackdrop(picture);
    else if (auto* button = dynamic_cast<platform::BevelButton*>(&control))
        button->setIcon(picture);
    else
        throw platform::IllegalCastException(control.describe() + " shows no picture.");
}

} // namespace

void createControlsWithPictures(platform::Window& window, const std::vector<platform::ControlTableRow>& rows,
                                const std::vector<platform::Text>& descriptions,
                                std::initializer_list<PictureBeforeDescription> pictures)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PictureBeforeDescription* named = nullptr;
        for (const PictureBeforeDescription& picture : pictures)
            if (picture.control == rows[i].name)
                named = &picture;
        if (!named) {
            platform::createControl(window, rows[i], descriptions.at(i));
            continue;
        }
        const auto accessor = named->picture;
        platform::createControl(window, rows[i], descriptions.at(i),
                                [accessor](platform::Control& control) { setPicture(control, accessor()); });
    }
}

} // namespace parvolin
