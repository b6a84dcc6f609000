// The catalogue's formats filled; the system's text for a code comes from the platform.
#include "transport/Texts.h"

#include "core/Format.h"
#include "platform/SystemErrorText.h"

using namespace transport_texts;

std::string_view SocketErrorText(int code) {
  for (const SocketErrorRow& row : kSocketErrorTexts) {
    if (row.code == code) return row.text;
  }
  return {};
}

std::string SocketErrorMessage(int code) {
  return Format(kSocketErrorFormat, {int64_t{code}, SocketErrorText(code)});
}

std::string WindowsSocketErrorMessage(int32_t code, std::string_view api) {
  return Format(kWindowsSocketErrorFormat,
                {std::string_view(SystemErrorText(code)), int64_t{code}, api});
}

std::string AsynchronousSocketErrorMessage(int32_t code) {
  return Format(kAsynchronousSocketErrorFormat, {int64_t{code}});
}
