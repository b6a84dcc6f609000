#include "core/Transcript.h"

#include <gtest/gtest.h>

#include "core/Cp1251.h"
#include "core/Errors.h"
#include "platform/Files.h"
#include "support/TempDir.h"

namespace {

class TranscriptTest : public ::testing::Test {
 protected:
  PlatformFileSystem files;
  Transcript transcript{files};
};

TEST_F(TranscriptTest, AppendsEntriesWithLineEnds) {
  transcript.Append("# hello");
  transcript.AppendStatus("text");
  transcript.Append("");
  transcript.Append("> a\r\nb");
  EXPECT_EQ(transcript.Text().ToString(), "# hello\r\n!// text\r\n\r\n> a\r\nb\r\n");
  EXPECT_EQ(transcript.Lines(), (std::vector<std::string>{"# hello", "!// text", "", "> a", "b"}));
}

TEST_F(TranscriptTest, LoneCrAndLfAreNotLineBreaks) {
  transcript.Append("a\rb\nc");
  EXPECT_EQ(transcript.Lines(), (std::vector<std::string>{"a\rb\nc"}));
}

TEST_F(TranscriptTest, ReportsAppendsAndClears) {
  std::vector<std::string> seen;
  transcript.OnChange = [&](const Transcript::Change& change) {
    seen.push_back(change.kind == Transcript::Change::Kind::Cleared ? std::string("<clear>")
                                                                    : change.appended.ToString());
  };
  transcript.Append("one");
  transcript.AppendStatus("two");
  transcript.Clear();
  transcript.Append("three");
  EXPECT_EQ(seen, (std::vector<std::string>{"one\r\n", "!// two\r\n", "<clear>", "three\r\n"}));
  EXPECT_EQ(transcript.Text().ToString(), "three\r\n");
}

TEST_F(TranscriptTest, SavesTheBytesExactly) {
  TempDir dir;
  std::string russian = cp1251::FromUtf8("Привет");
  transcript.Append(std::string("# a\0b", 5));
  transcript.Append("> " + russian + "\r\n\x98\xFF");
  // Longer than one of the blocks the transcript keeps its bytes in.
  const std::string large(TranscriptText::kBlockBytes * 2 + 7, 'x');
  transcript.Append("> ", large);
  transcript.SaveTo(dir.Native("log.txt"));
  EXPECT_EQ(ReadBytes(dir.Native("log.txt")),
            std::string("# a\0b\r\n", 7) + "> " + russian + "\r\n\x98\xFF\r\n> " + large + "\r\n");
}

TEST_F(TranscriptTest, SavesAnEmptyTranscriptAsAnEmptyFileAndOverwrites) {
  TempDir dir;
  WriteBytes(dir.Native("log.txt"), "old content that is longer");
  transcript.SaveTo(dir.Native("log.txt"));
  EXPECT_TRUE(std::filesystem::exists(dir.Native("log.txt")));
  EXPECT_EQ(ReadBytes(dir.Native("log.txt")), "");
}

// Folder and file names with letters outside Windows-1251 and outside the ANSI code page: the
// file is where its name says, and a message shows "?" for a letter Windows-1251 lacks.
TEST_F(TranscriptTest, SavesUnderAnyNameAndNamesItInMessages) {
  TempDir dir;
  const std::filesystem::path folder = dir.Path() / u8"José Иван";
  std::filesystem::create_directory(folder);
  transcript.Append("x");
  transcript.SaveTo(folder / u8"журнал.log");
  EXPECT_EQ(ReadBytes(folder / u8"журнал.log"), "x\r\n");

  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  const std::string shown = dir.Path().string() + separator + "Jos? " + cp1251::FromUtf8("Иван") +
                            separator + "missing" + separator + "log.txt";
  try {
    transcript.SaveTo(folder / "missing" / "log.txt");
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + shown);
  }
  EXPECT_EQ(transcript.Text().ToString(), "x\r\n");
}

}  // namespace
