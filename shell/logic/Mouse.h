// Mouse buttons and the shift state that pointer notifications carry.
#pragma once

#include <cstdint>

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// A set of flags: the modifier keys and the mouse buttons held, and whether the press is the
// second one of a double-click.
using TShiftState = uint32_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
inline constexpr TShiftState ssDouble = 64;
