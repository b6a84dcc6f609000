// Where the main window opens from its stored place: monitors come and go, so a place stored
// while another monitor was attached may be on none now.
#pragma once

#include <vector>

#include "shell/logic/Anchors.h"

// A monitor's work area (the screen without the taskbar), in screen pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A window's place (screen pixels) as stored, any 32-bit values: the stored place as it is when it
// meets a work area (or none is known); otherwise the stored size, shrunk to fit, as close to the
// stored place as the nearest work area allows.
ControlBounds VisiblePlace(const ControlBounds& stored, const std::vector<ScreenRect>& work_areas);
