#pragma once
// The platform services the guard uses, handed to it as one bundle by whoever starts it
// (the real program or a test).

#include "guard/platform/Clock.h"
#include "guard/platform/Elevation.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/Folders.h"
#include "guard/platform/Processes.h"
#include "guard/platform/Registry.h"
#include "guard/platform/SingleInstance.h"
#include "guard/platform/Skin.h"
#include "guard/platform/WebVisit.h"

namespace qv::platform {

struct Services {
    FileSystem& files;
    Folders& folders;
    Processes& processes;
    Elevation& elevation;
    Registry& registry;
    Clock& clock;
    SingleInstance& instance;
    Skin& skin;
    WebVisit& web;
};

}  // namespace qv::platform
