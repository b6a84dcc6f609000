#include "core/Transcript.h"

#include "core/Errors.h"
#include "core/FileSystem.h"
#include "core/Format.h"
#include "core/PathText.h"
#include "core/Texts.h"

void Transcript::Append(std::string_view entry) {
  Append(std::string_view(), entry);
}

void Transcript::Append(std::string_view prefix, std::string_view text) {
  const size_t start = text_.size();
  text_.Append(prefix);
  text_.Append(text);
  text_.Append(texts::kLineEnd);
  if (OnChange) OnChange(Change{Change::Kind::Appended, TextSpan(text_).substr(start)});
}

void Transcript::AppendStatus(std::string_view text) {
  Append(texts::kStatusPrefix, text);
}

void Transcript::Clear() {
  text_.Clear();
  if (OnChange) OnChange(Change{Change::Kind::Cleared, {}});
}

void Transcript::SaveTo(const std::filesystem::path& path) const {
  std::vector<std::string_view> runs;
  text_.ForEachRun(0, text_.size(), [&](size_t, std::string_view run) { runs.push_back(run); });
  if (!files_.WriteFile(path, runs)) {
    throw EFCreateError(Format(texts::kCannotCreateFile, {PathText(path)}));
  }
}

std::vector<std::string> Transcript::Lines() const {
  const std::string text = TextSpan(text_).ToString();
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(texts::kLineEnd, start);
    if (end == std::string::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + texts::kLineEnd.size();
  }
  return lines;
}
