#pragma once

// Pictures that windows and controls show, and reading them from files.

#include "pictures/OpenAsPicture.h"
#include "pictures/Picture.h"
