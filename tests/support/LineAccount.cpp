// Walks the sent bytes line by line; the first thing that does not fit is the answer.
#include "support/LineAccount.h"

std::string AccountLines(const std::string& sent, const std::vector<std::string>& lines,
                         size_t pending, size_t longest_line, bool ended) {
  size_t at = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string where = "line " + std::to_string(i) + " at byte " + std::to_string(at);
    if (sent.compare(at, line.size(), line) != 0) return where + ": not the bytes sent there";
    if (line.find('\n') != std::string::npos) return where + ": holds a line end";
    at += line.size();
    // A line cut at the longest length takes no line end; a shorter one is followed by its line
    // end, unless it was the last bytes before the end of the connection.
    if (line.size() == longest_line) continue;
    if (sent.compare(at, 2, "\r\n") == 0) {
      at += 2;
    } else if (sent.compare(at, 1, "\n") == 0) {
      at += 1;
    } else if (!(ended && i + 1 == lines.size())) {
      return where + ": no line end after it";
    }
  }
  if (at + pending != sent.size()) {
    return "lines and line ends " + std::to_string(at) + " + pending " + std::to_string(pending) +
           " != received " + std::to_string(sent.size());
  }
  return std::string();
}
