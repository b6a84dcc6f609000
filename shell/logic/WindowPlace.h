// Where the main window opens from its stored place: monitors come and go, so a place stored
// while another monitor was attached may be on none now.
#pragma once

#include <vector>

// A monitor's work area (the screen without the taskbar), in screen pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A window's place: its left and top edges and its size, as stored (any 32-bit values).
struct WindowPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowPlace&) const = default;
};

// The stored place as it is when it meets a work area (or none is known); otherwise the stored
// size, shrunk to fit, as close to the stored place as the nearest work area allows.
WindowPlace VisiblePlace(const WindowPlace& stored, const std::vector<ScreenRect>& work_areas);
