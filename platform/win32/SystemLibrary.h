// System libraries loaded at run time, always from the system folder, so that a file of the same
// name in the program's or the current folder is never loaded instead. Functions are held in
// pointers of their declared types (decltype(&::recv)), so the compiler checks every call.
//
// Library owns one reference to a library (the sockets' library, started and stopped).
// SystemFunction is for what the program needs only now and then (the file dialogs, the shell):
// the library is loaded at the first ask and kept; linked at load time, each would be loaded,
// with everything it needs, before the program's window could be shown.
#pragma once

#include <windows.h>

#include <string_view>

// One more reference to the library of that bare file name ("wsock32.dll"), loaded from the
// system folder; null when it cannot be loaded.
HMODULE LoadSystemLibrary(std::wstring_view name);

// A loaded library; freed when its owner goes, unless it was left loaded.
class Library {
 public:
  Library() = default;
  ~Library() { Free(); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // name is a bare file name.
  bool Load(std::string_view name);
  void Free();
  // Gives up this reference without freeing it: the library stays for the rest of the process.
  void Leave() { module_ = nullptr; }
  // Null when the library is not loaded or lacks the name.
  template <typename Function>
  void Find(Function*& function, const char* name) const {
    function =
        module_
            ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module_, name)))
            : nullptr;
  }

 private:
  HMODULE module_ = nullptr;
};

// The module of a library that stays for the rest of the process: the loaded one, or loaded now
// from the system folder; null when it cannot be loaded.
HMODULE SystemLibrary(const wchar_t* name);

// The function of that name; null when the library or the function is missing.
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = SystemLibrary(library);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}
