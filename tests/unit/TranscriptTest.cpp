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
  EXPECT_EQ(transcript.Text(), "# hello\r\n!// text\r\n\r\n> a\r\nb\r\n");
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
                                                                    : std::string(change.appended));
  };
  transcript.Append("one");
  transcript.AppendStatus("two");
  transcript.Clear();
  transcript.Append("three");
  EXPECT_EQ(seen, (std::vector<std::string>{"one\r\n", "!// two\r\n", "<clear>", "three\r\n"}));
  EXPECT_EQ(transcript.Text(), "three\r\n");
}

TEST_F(TranscriptTest, SavesTheBytesExactly) {
  TempDir dir;
  std::string russian = cp1251::FromUtf8("Привет");
  transcript.Append(std::string("# a\0b", 5));
  transcript.Append("> " + russian + "\r\n\x98\xFF");
  transcript.SaveTo(dir.ProgramPath("log.txt"));
  EXPECT_EQ(ReadBytes(dir.Native("log.txt")),
            std::string("# a\0b\r\n", 7) + "> " + russian + "\r\n\x98\xFF\r\n");
}

TEST_F(TranscriptTest, SavesAnEmptyTranscriptAsAnEmptyFileAndOverwrites) {
  TempDir dir;
  WriteBytes(dir.Native("log.txt"), "old content that is longer");
  transcript.SaveTo(dir.ProgramPath("log.txt"));
  EXPECT_TRUE(std::filesystem::exists(dir.Native("log.txt")));
  EXPECT_EQ(ReadBytes(dir.Native("log.txt")), "");
}

TEST_F(TranscriptTest, SavesToANameWithCyrillicLetters) {
  TempDir dir;
  std::string name = cp1251::FromUtf8("журнал.log");
  transcript.Append("x");
  transcript.SaveTo(dir.ProgramPath(name));
  EXPECT_EQ(ReadBytes(dir.Native(name)), "x\r\n");
}

TEST_F(TranscriptTest, FailsToSaveWhereNoFileCanBeCreated) {
  TempDir dir;
  transcript.Append("kept");
  const std::string path = dir.ProgramPath("missing") + "\\log.txt";
  try {
    transcript.SaveTo(path);
    FAIL() << "no error";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + path);
  }
  EXPECT_EQ(transcript.Text(), "kept\r\n");
}

}  // namespace
