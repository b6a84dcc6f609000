// Functions of the system's libraries that the program needs only now and then (the file
// dialogs, the shell, accessibility): the library is loaded from the system folder when one of
// its functions is first asked for, and stays for the rest of the process. Linked at load time,
// each would be loaded, with everything it needs, before the program's window could be shown.
#pragma once

#include <windows.h>

// The library's module, loaded from the system folder when it is not loaded yet; null when it
// cannot be loaded. name is a bare file name ("comdlg32.dll").
HMODULE SystemLibrary(const wchar_t* name);

// The function of that name, typed as declared (decltype(::GetOpenFileNameW)), so the compiler
// checks each call; null when the library or the function is missing.
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = SystemLibrary(library);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}
