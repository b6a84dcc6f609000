#include "shell/framework/Monitors.h"

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
