// The English text of a Windows Sockets error code, as the line transport's messages show it.
#pragma once

#include <string>

// The text of the codes 10004 to 10066 that have one; every other code has the empty text.
const std::string& SocketErrorText(int code);
