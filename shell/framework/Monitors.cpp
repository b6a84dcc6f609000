#include "shell/framework/Monitors.h"

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& work = info.rcWork;
    reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back(
        {work.left, work.top, work.right, work.bottom});
  }
  return TRUE;
}

}  // namespace

MonitorArea MonitorOf(HWND window) {
  MonitorArea area;
  area.handle = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (area.handle && GetMonitorInfoW(area.handle, &info)) {
    area.monitor = info.rcMonitor;
    area.work = info.rcWork;
  } else {
    area.monitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area.work, 0);
  }
  return area;
}

POINT CentreIn(const RECT& area, int width, int height) {
  return {area.left + (area.right - area.left - width) / 2,
          area.top + (area.bottom - area.top - height) / 2};
}

std::vector<ScreenRect> MonitorWorkAreas() {
  std::vector<ScreenRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}
