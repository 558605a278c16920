#pragma once
// The platform services the guard uses, handed to it as one bundle by whoever starts it
// (the real program or a test).

#include "common/removal/RemovalFiles.h"
#include "guard/platform/Clock.h"
#include "guard/platform/Elevation.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/Folders.h"
#include "guard/platform/Processes.h"
#include "guard/platform/Registry.h"
#include "guard/platform/Skin.h"
#include "guard/platform/WebVisit.h"

namespace qv::platform {

struct Services {
    FileSystem& files;
    // What removing a file from a drive, and keeping its copy, takes of the file system.
    removal::RemovalFiles& removalFiles;
    Folders& folders;
    Processes& processes;
    Elevation& elevation;
    Registry& registry;
    Clock& clock;
    Skin& skin;
    WebVisit& web;
};

}  // namespace qv::platform
