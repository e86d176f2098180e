#pragma once

// Window descriptions: the byte format, and the table form a window's description is
// written in.

#include "description/DescriptionFormat.h"
#include "description/DescriptionLayout.h"
#include "description/DescriptionTable.h"
