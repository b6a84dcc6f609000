// The characters that the transcript view shows for the transcript's bytes: one UTF-16 unit per
// byte, so that offsets into the bytes and into the shown text are the same numbers.
#pragma once

#include <cstddef>
#include <string_view>

namespace transcript_chars {

// The character shown for one byte inside a line: a zero byte, another control character
// (a CR or LF without its partner included), DEL and a byte without a character become
// visible placeholders; a tab stays a tab.
char16_t Shown(unsigned char byte);

// Writes the shown text of text[begin, end) to out (end - begin units, char16_t or a 16-bit
// wchar_t): a CR LF pair stays CR LF, the line break; every other byte is Shown(byte). The text
// is anything that gives its bytes by offset (a string or the transcript's TextSpan).
template <typename Text, typename Char>
void CopyShown(const Text& text, size_t begin, size_t end, Char* out) {
  static_assert(sizeof(Char) == 2);
  for (size_t i = begin; i < end; ++i) {
    const char byte = text[i];
    const bool pair_cr = byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    const bool pair_lf = byte == '\n' && i > 0 && text[i - 1] == '\r';
    *out++ = static_cast<Char>(pair_cr || pair_lf ? static_cast<char16_t>(byte)
                                                  : Shown(static_cast<unsigned char>(byte)));
  }
}

}  // namespace transcript_chars
