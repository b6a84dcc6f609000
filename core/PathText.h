// A path as the program's Windows-1251 text, for messages and for the wire.
#pragma once

#include <filesystem>
#include <string>

// Each character that Windows-1251 lacks becomes "?".
std::string PathText(const std::filesystem::path& path);
