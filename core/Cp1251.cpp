// The Windows-1251 table and the case rules built on it.
#include "core/Cp1251.h"

#include <array>

namespace cp1251 {
namespace {

// UTF-16 codes of the bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// Direct reverse maps of the two Unicode blocks that hold most of the table; the few
// punctuation characters above U+2000 are searched.
struct ReverseTable {
  std::array<unsigned char, 0x80> latin1{};     // U+0080..U+00FF
  std::array<unsigned char, 0x100> cyrillic{};  // U+0400..U+04FF
};

constexpr unsigned char SymbolByte(char16_t ch) {
  for (int i = 0; i < 64; ++i) {
    if (kHighTable[i] == ch && ch >= 0x2000) return static_cast<unsigned char>(0x80 + i);
  }
  return 0;
}

constexpr ReverseTable BuildReverse() {
  ReverseTable t{};
  for (int i = 0; i < 64; ++i) {
    char16_t ch = kHighTable[i];
    auto byte = static_cast<unsigned char>(0x80 + i);
    if (ch >= 0x0080 && ch <= 0x00FF) t.latin1[ch - 0x80] = byte;
    if (ch >= 0x0400 && ch <= 0x04FF) t.cyrillic[ch - 0x0400] = byte;
  }
  for (int i = 0; i < 64; ++i) t.cyrillic[0x10 + i] = static_cast<unsigned char>(0xC0 + i);
  return t;
}

constexpr ReverseTable kReverse = BuildReverse();

char16_t UpperChar(char16_t ch) {
  if (ch >= u'a' && ch <= u'z') return static_cast<char16_t>(ch - 0x20);
  if (ch >= 0x0430 && ch <= 0x044F) return static_cast<char16_t>(ch - 0x20);
  if (ch >= 0x0450 && ch <= 0x045F) return static_cast<char16_t>(ch - 0x50);
  if (ch == 0x0491) return 0x0490;
  return ch;
}

}  // namespace

char16_t ToUtf16(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<char16_t>(0x0410 + (byte - 0xC0));
  return kHighTable[byte - 0x80];
}

char FromUtf16(char16_t ch) {
  unsigned char byte = 0;
  if (ch < 0x80) return static_cast<char>(ch);
  if (ch <= 0x00FF) {
    byte = kReverse.latin1[ch - 0x80];
  } else if (ch >= 0x0400 && ch <= 0x04FF) {
    byte = kReverse.cyrillic[ch - 0x0400];
  } else if (ch == kUndefinedChar) {
    byte = 0x98;
  } else {
    byte = SymbolByte(ch);
  }
  return byte ? static_cast<char>(byte) : '?';
}

std::u16string ToUtf16(std::string_view bytes) {
  std::u16string out(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) out[i] = ToUtf16(static_cast<unsigned char>(bytes[i]));
  return out;
}

std::string FromUtf16(std::u16string_view text) {
  std::string out(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) out[i] = FromUtf16(text[i]);
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  std::u16string wide;
  for (size_t i = 0; i < utf8.size();) {
    auto b = static_cast<unsigned char>(utf8[i]);
    char32_t cp = b;
    size_t len = 1;
    if (b >= 0xF0) {
      cp = b & 0x07, len = 4;
    } else if (b >= 0xE0) {
      cp = b & 0x0F, len = 3;
    } else if (b >= 0xC0) {
      cp = b & 0x1F, len = 2;
    }
    for (size_t k = 1; k < len && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    wide.push_back(cp > 0xFFFF ? u'?' : static_cast<char16_t>(cp));
    i += len;
  }
  return FromUtf16(wide);
}

std::string ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) {
    char16_t ch = ToUtf16(static_cast<unsigned char>(byte));
    if (ch < 0x80) {
      out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
      out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
      out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
  }
  return out;
}

unsigned char UpperByte(unsigned char byte) {
  return static_cast<unsigned char>(FromUtf16(UpperChar(ToUtf16(byte))));
}

int CompareIgnoreCase(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    char16_t x = UpperChar(ToUtf16(static_cast<unsigned char>(a[i])));
    char16_t y = UpperChar(ToUtf16(static_cast<unsigned char>(b[i])));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoreCase(a, b) == 0;
}

}  // namespace cp1251
