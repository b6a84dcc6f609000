// The transcript of one run: every line sent and received and every connect and disconnect,
// as one Windows-1251 text that is empty or ends in CR LF.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/TranscriptText.h"

class FileSystem;

class Transcript {
 public:
  // What changed, for the view: an appended entry (with its CR LF), or everything cleared.
  struct Change {
    enum class Kind { Appended, Cleared };
    Kind kind;
    TextSpan appended;
  };

  explicit Transcript(FileSystem& files) : files_(files) {}

  // Appends the entry as is, followed by CR LF.
  void Append(std::string_view entry);
  // Appends prefix + text as one entry, without joining them first.
  void Append(std::string_view prefix, std::string_view text);
  // Appends "!// " + text.
  void AppendStatus(std::string_view text);
  void Clear();
  // Writes the text byte for byte; raises EFCreateError ("Cannot create file %s") and leaves
  // the transcript unchanged when the file cannot be written.
  void SaveTo(const std::filesystem::path& path) const;
  // The lines as the view shows them: the text cut at each CR LF (a lone CR or LF stays).
  std::vector<std::string> Lines() const;
  const TranscriptText& Text() const { return text_; }

  // Called after every change; may be empty.
  std::function<void(const Change&)> OnChange;

 private:
  FileSystem& files_;
  TranscriptText text_;
};
