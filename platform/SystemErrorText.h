// The system's description of an error code, as the socket error messages show it.
#pragma once

#include <string>

// The text without its closing period and line end (trailing bytes up to 0x20 and "." removed);
// empty when the system has no text for the code. Windows: the system's message table in the
// user's language. POSIX: the English texts Windows gives for the Windows Sockets codes.
std::string SystemErrorText(int code);
