#pragma once

// The About and help windows set some controls' pictures before the controls'
// descriptions: a canvas's backdrop or a bevel button's icon, from the picture's
// accessor. The descriptions carry no picture, so the picture stays.

#include "description/Description.h"
#include "pictures/Pictures.h"
#include "ui/Ui.h"

#include <initializer_list>
#include <string_view>

namespace parvolin {

struct PictureBeforeDescription {
    std::string_view control;
    platform::Ref<platform::Picture> (*picture)();
};

// Runs the creation sequence for every row, in order, setting the named controls'
// pictures between their registration and their description.
void createControlsWithPictures(platform::Window& window, const std::vector<platform::ControlTableRow>& rows,
                                const std::vector<platform::Text>& descriptions,
                                std::initializer_list<PictureBeforeDescription> pictures);

} // namespace parvolin
