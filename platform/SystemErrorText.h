// The system's description of an error code, as the socket error messages show it.
#pragma once

#include <string>

// The text without its closing period and line end (trailing bytes up to 0x20 and "." removed);
// empty when the system has no text for the code. Windows: the system's message table in the
// user's language, as Windows-1251 bytes whatever the system's code page (a letter that
// Windows-1251 lacks becomes "?"). POSIX: the English texts Windows gives for the Windows
// Sockets codes.
std::string SystemErrorText(int code);
