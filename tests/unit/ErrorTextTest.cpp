#include "shell/logic/ErrorText.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"

namespace {

TEST(ErrorText, PeriodOnlyAfterAByteAboveThePeriod) {
  const struct {
    std::string message;
    std::string shown;
  } rows[] = {
      {"Done.", "Done."},
      {"on API 'connect'", "on API 'connect'"},
      {"(10061)", "(10061)"},
      {"Stop!", "Stop!"},
      {"a,", "a,"},
      {"trailing ", "trailing "},
      {"dash-", "dash-"},
      {"No address specified", "No address specified."},
      {cp1251::FromUtf8("Ошибка"), cp1251::FromUtf8("Ошибка.")},
      {"error 10061", "error 10061."},
      {"slash/", "slash/."},
      {"", ""},
      {std::string("nul\0", 4), std::string("nul\0", 4)},
      {"\xFF", "\xFF."},
  };
  for (const auto& row : rows) EXPECT_EQ(ErrorBoxText(row.message), row.shown) << row.message;
}

}  // namespace
