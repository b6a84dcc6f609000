// The program's one version constant; the title, the tray tip and the About box show it.
#pragma once

inline constexpr const char* kProgramVersion = "0.4";
