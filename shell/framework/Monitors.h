// Where on the monitors the program's windows and boxes go: the monitor that shows a window, its
// work area (the monitor less the taskbar and other docked bars), centring on it, and the work
// areas of every monitor attached now.
#pragma once

#include <windows.h>

#include <vector>

#include "shell/logic/WindowPlace.h"

struct MonitorArea {
  HMONITOR handle = nullptr;
  RECT monitor{};
  RECT work{};
};

// The monitor that shows most of the window, or the nearest one when none does.
MonitorArea MonitorOf(HWND window);

// The top-left corner that puts a width by height rectangle in the middle of area.
POINT CentreIn(const RECT& area, int width, int height);

// The work area of each monitor attached now, for placing a window where it can be seen.
std::vector<ScreenRect> MonitorWorkAreas();
