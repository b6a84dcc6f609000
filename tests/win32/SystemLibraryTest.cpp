// System libraries loaded at run time from the system folder: functions typed as declared and
// null for a library or a name that is not there; an owned reference freed with its owner.
#include "platform/win32/SystemLibrary.h"

#include <commdlg.h>
#include <gtest/gtest.h>

namespace {

TEST(SystemLibrary, LoadsTheLibraryAtTheFirstAskAndFindsOnlyWhatIsThere) {
  const auto open =
      SystemFunction<decltype(::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  ASSERT_NE(open, nullptr);
  HMODULE loaded = GetModuleHandleW(L"comdlg32.dll");
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(SystemLibrary(L"comdlg32.dll"), loaded);
  EXPECT_EQ(reinterpret_cast<void*>(open),
            reinterpret_cast<void*>(GetProcAddress(loaded, "GetOpenFileNameW")));

  const struct {
    const wchar_t* library;
    const char* name;
  } missing[] = {{L"comdlg32.dll", "NoSuchFunction"}, {L"zirk-no-such-library.dll", "Anything"}};
  for (const auto& m : missing) {
    EXPECT_EQ(SystemFunction<decltype(::GetOpenFileNameW)>(m.library, m.name), nullptr) << m.name;
  }
  EXPECT_EQ(SystemLibrary(L"zirk-no-such-library.dll"), nullptr);
}

TEST(SystemLibrary, AnOwnedReferenceFindsTheLibrarysFunctionsUntilFreed) {
  Library library;
  EXPECT_FALSE(library.Load("zirk-no-such-library.dll"));
  ASSERT_TRUE(library.Load("comdlg32.dll"));
  decltype(::GetSaveFileNameW)* save = nullptr;
  library.Find(save, "GetSaveFileNameW");
  EXPECT_NE(save, nullptr);
  library.Free();
  library.Find(save, "GetSaveFileNameW");
  EXPECT_EQ(save, nullptr);
}

}  // namespace
