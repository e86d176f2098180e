#pragma once

// Pictures that windows and controls show.

#include "pictures/Picture.h"
