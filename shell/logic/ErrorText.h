// The text that the error box shows for an error's message.
#pragma once

#include <string>

// The message with "." appended when its last byte is above "." (0x2E) as an unsigned byte: a
// message ending in a letter or a digit gets the period, one ending in ".", "'", ")", "!", ","
// or a blank does not. An empty message stays empty.
std::string ErrorBoxText(const std::string& message);
