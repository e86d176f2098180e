#pragma once

// Files, folders and volumes.

#include "files/FileCopy.h"
#include "files/FolderItem.h"
#include "files/IOException.h"
#include "files/KnownFolders.h"
#include "files/Volumes.h"
