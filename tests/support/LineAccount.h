// The account of the lines a line read returned against the bytes that were sent.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Checks what ReadLine returned against the bytes the peer sent: each line must be the next
// bytes of the stream, followed by its line end (LF or CR LF) unless it was cut at the longest
// line or was the last bytes before the end. Every byte received is accounted for: lines, line
// ends and what is still pending. Empty when all holds, otherwise what went wrong.
std::string AccountLines(const std::string& sent, const std::vector<std::string>& lines,
                         size_t pending, size_t longest_line, bool ended);
