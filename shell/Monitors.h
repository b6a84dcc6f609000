// The work areas of the monitors attached now, for placing windows where they can be seen.
#pragma once

#include <vector>

#include "shell/logic/WindowPlace.h"

std::vector<ScreenRect> MonitorWorkAreas();
