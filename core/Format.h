// Fills the placeholders of a fixed text: %s takes a text, %d a number, %% is a percent sign.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

using FormatArg = std::variant<std::string_view, int64_t>;

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);
