#include "support/ProfileCases.h"

namespace {

std::string Bytes(const char* text, size_t size) {
  return std::string(text, size);
}

std::string Entry(const std::string& value) {
  return "[s]\r\nk=" + value + "\r\n";
}

}  // namespace

const std::vector<ProfileReadCase>& ProfileReadCases() {
  const std::string h2046(2046, 'h'), h2047(2047, 'h'), h2048(2048, 'h');
  static const std::vector<ProfileReadCase> cases = {
      {"plain", "[s]\r\nk=v\r\n", "s", "k", "v"},
      {"names in any ASCII case", "[S]\r\nK=v\r\n", "s", "k", "v"},
      {"Cyrillic names in another case", "[s]\r\n\xE0=v\r\n", "s", "\xC0", std::nullopt},
      {"missing section", "[s]\r\nk=v\r\n", "t", "k", std::nullopt},
      {"missing key", "[s]\r\nk=v\r\n", "s", "x", std::nullopt},
      {"blanks around names and values", "  [ s ]  \r\n \t k \t= \x0B v \x0C\x1A\r\n", "s", "k",
       "v"},
      {"blanks around the names asked for", "[s]\r\nk=v\r\n", " s ", " k ", "v"},
      {"blanks inside a value", "[s]\r\nk= a  b \r\n", "s", "k", "a  b"},
      {"double quotes", Entry("\"v\""), "s", "k", "v"},
      {"single quotes", Entry("'v'"), "s", "k", "v"},
      {"quotes that differ", Entry("\"v'"), "s", "k", "\"v'"},
      {"one quote", Entry("\""), "s", "k", "\""},
      {"blanks inside quotes", Entry("\" v \""), "s", "k", " v "},
      {"a leading quote only", Entry("\"v"), "s", "k", "\"v"},
      {"an equals sign in the value", Entry("a=b"), "s", "k", "a=b"},
      {"an empty value", Entry(""), "s", "k", ""},
      {"a blank value", Entry("   "), "s", "k", ""},
      {"a line without equals sign", "[s]\r\nk\r\nk=v\r\n", "s", "k", std::nullopt},
      {"a key given twice", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
      {"a section given twice", "[s]\r\na=1\r\n[t]\r\n[s]\r\nk=2\r\n", "s", "k", std::nullopt},
      {"a key in both sections", "[s]\r\nk=1\r\n[t]\r\n[s]\r\nk=2\r\n", "s", "k", "1"},
      {"a comment line is a key", "[s]\r\n;k=1\r\nk=2\r\n", "s", "k", "2"},
      {"a comment key", "[s]\r\n;k=1\r\n", "s", ";k", "1"},
      {"CR line ends", "[s]\ra=1\rk=v\r", "s", "k", "v"},
      {"LF line ends", "[s]\nk=v\n", "s", "k", "v"},
      {"LF CR line ends", "[s]\n\rk=v\n\r", "s", "k", "v"},
      {"empty lines", "\r\n\r\n[s]\r\n\r\nk=v\r\n\r\n", "s", "k", "v"},
      {"a NUL byte ends a value", Bytes("[s]\r\nk=ab\0cd\r\n", 14), "s", "k", "ab"},
      {"a NUL byte ends a section name", Bytes("[s\0x]\r\nk=v\r\n", 12), "s", "k", "v"},
      {"a NUL byte ends a key name", Bytes("[s]\r\nk\0x=v\r\n", 12), "s", "k", "v"},
      {"a section line without its bracket", "[a]\r\n[s\r\nk=v\r\n", "s", "k", std::nullopt},
      {"... is a key of the section before", "[a]\r\n[s\r\nk=v\r\n", "a", "k", "v"},
      {"... with its own value", "[a]\r\n[s=1\r\n", "a", "[s", "1"},
      {"a section name up to the last bracket", "[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
      {"text after a section name", "[s] junk\r\nk=v\r\n", "s", "k", "v"},
      {"keys before the first section", "k=v\r\n[s]\r\n", "", "k", "v"},
      {"... are in no named section", "k=v\r\n[s]\r\n", "s", "k", std::nullopt},
      {"an empty section name comes second", "[]\r\nk=v\r\n", "", "k", std::nullopt},
      {"an empty key name", "[s]\r\n=v\r\n", "s", "", "v"},
      {"control bytes are kept", Entry("\x01v\x02"), "s", "k", "\x01v\x02"},
      {"high bytes are kept", Entry("\x81\x8D\x8F\x90\x9D\x98\xFF"), "s", "k",
       "\x81\x8D\x8F\x90\x9D\x98\xFF"},
      {"a UTF-8 byte-order mark", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "v"},
      {"a UTF-16 byte-order mark", Bytes("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 20), "s",
       "k", "v"},
      {"a big-endian UTF-16 byte-order mark",
       Bytes("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n", 20), "s", "k", "v"},
      {"half a byte-order mark", "\xEF\xBB[s]\r\nk=v\r\n", "s", "k", std::nullopt},
      {"2047 bytes", Entry(h2047), "s", "k", h2047},
      {"2048 bytes are cut", Entry(h2048), "s", "k", h2047},
      {"2046 quoted bytes", Entry('"' + h2046 + '"'), "s", "k", h2046},
      {"2047 quoted bytes", Entry('"' + h2047 + '"'), "s", "k", h2047, h2046},
      {"2048 quoted bytes are cut", Entry('"' + h2048 + '"'), "s", "k", h2047},
  };
  return cases;
}

const std::vector<ProfileWriteCase>& ProfileWriteCases() {
  static const std::vector<ProfileWriteCase> cases = {
      {"a new file", "", "s", "k", "v", "[s]\r\nk=v\r\n", "v"},
      {"leading blanks dropped", "", "s", "k", "  v  ", "[s]\r\nk=v  \r\n", "v"},
      {"a new section at the end", "[a]\r\nx=1\r\n", "s", "k", "v", "[a]\r\nx=1\r\n[s]\r\nk=v\r\n",
       "v"},
      {"a new key after the section's last line", "[s]\r\nx=1\r\n\r\n[t]\r\ny=2\r\n", "s", "k", "v",
       "[s]\r\nx=1\r\nk=v\r\n\r\n[t]\r\ny=2\r\n", "v", false},
      {"a replaced key keeps its stored name", "[S]\r\nK = old \r\n", "s", "k", "new",
       "[S]\r\nK=new\r\n", "new"},
      {"LF line ends become CR LF", "[a]\nx=1\n[s]\nk=1\n", "s", "k", "2",
       "[a]\r\nx=1\r\n[s]\r\nk=2\r\n", "2"},
      {"CR line ends become CR LF", "[s]\rk=1\rx=1\r", "s", "k", "2", "[s]\r\nk=2\r\nx=1\r\n", "2"},
      {"no final line end", "[s]\r\nk=1", "s", "k", "2", "[s]\r\nk=2\r\n", "2"},
      {"the first of two keys", "[s]\r\nk=1\r\nk=3\r\n", "s", "k", "2", "[s]\r\nk=2\r\nk=3\r\n",
       "2"},
      {"the first of two sections", "[s]\r\na=1\r\n[t]\r\n[s]\r\nk=1\r\n", "s", "k", "2",
       "[s]\r\na=1\r\nk=2\r\n[t]\r\n[s]\r\nk=1\r\n", "2"},
      {"a section line without its bracket", "[s\r\nk=1\r\n", "s", "k", "2",
       "[s\r\nk=1\r\n[s]\r\nk=2\r\n", "2"},
      {"comment lines kept", ";c\r\n[s]\r\n;d\r\nk=1\r\n", "s", "k", "2",
       ";c\r\n[s]\r\n;d\r\nk=2\r\n", "2"},
      {"other lines kept as they are", "  [s]  \r\n  k  =  1  \r\n  x=  y  \r\n", "s", "k", "2",
       "  [s]  \r\nk=2\r\n  x=  y  \r\n", "2", false},
      {"a key line holding a NUL byte", Bytes("[s]\r\nk=1\0zz\r\nx=1\r\n", 18), "s", "k", "2",
       "[s]\r\nk=2\r\nx=1\r\n", "2"},
      {"a UTF-8 byte-order mark kept", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "2",
       "\xEF\xBB\xBF[s]\r\nk=2\r\n", "2"},
  };
  return cases;
}
