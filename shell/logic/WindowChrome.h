// Which part of the main window's frame does what: the title moves the window, the edge strips
// and the grip resize it, each through the system command that starts the platform's own
// interactive loop.
#pragma once

#include <cstdint>

enum class ChromePart { Title, LeftEdge, RightEdge, BottomEdge, Grip };

// WM_SYSCOMMAND's value: SC_MOVE + 2 to move, SC_SIZE plus the edge's code to resize.
inline constexpr uint16_t ChromeCommand(ChromePart part) {
  switch (part) {
    case ChromePart::Title:
      return 0xF012;
    case ChromePart::LeftEdge:
      return 0xF001;
    case ChromePart::RightEdge:
      return 0xF002;
    case ChromePart::BottomEdge:
      return 0xF006;
    case ChromePart::Grip:
      return 0xF008;
  }
  return 0;
}
