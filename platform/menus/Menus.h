#pragma once

// Menu bars and their items.

#include "menus/MenuBar.h"
#include "menus/MenuItem.h"
