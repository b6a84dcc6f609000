#include "shell/logic/TranscriptChars.h"

#include "core/Cp1251.h"

namespace transcript_chars {

namespace {
constexpr char16_t kControlPictures = u'\u2400';  // U+2400 + n pictures control character n
constexpr char16_t kDeletePicture = u'\u2421';
}  // namespace

char16_t Shown(unsigned char byte) {
  if (byte == '\t') return u'\t';
  if (byte < 0x20) return static_cast<char16_t>(kControlPictures + byte);
  if (byte == 0x7F) return kDeletePicture;
  return cp1251::ToUtf16(byte);
}

}  // namespace transcript_chars
