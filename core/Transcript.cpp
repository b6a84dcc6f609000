#include "core/Transcript.h"

#include "core/Errors.h"
#include "core/FileSystem.h"
#include "core/Format.h"
#include "core/PathText.h"
#include "core/Texts.h"

void Transcript::Append(std::string_view entry) {
  const size_t start = text_.size();
  text_.append(entry);
  text_.append(texts::kLineEnd);
  if (OnChange) {
    OnChange(Change{Change::Kind::Appended, std::string_view(text_).substr(start)});
  }
}

void Transcript::AppendStatus(std::string_view text) {
  std::string entry;
  entry.reserve(texts::kStatusPrefix.size() + text.size());
  entry.append(texts::kStatusPrefix).append(text);
  Append(entry);
}

void Transcript::Clear() {
  text_.clear();
  if (OnChange) OnChange(Change{Change::Kind::Cleared, {}});
}

void Transcript::SaveTo(const std::filesystem::path& path) const {
  if (!files_.WriteFile(path, text_)) {
    throw EFCreateError(Format(texts::kCannotCreateFile, {PathText(path)}));
  }
}

std::vector<std::string> Transcript::Lines() const {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text_.size()) {
    size_t end = text_.find(texts::kLineEnd, start);
    if (end == std::string::npos) {
      lines.emplace_back(text_.substr(start));
      break;
    }
    lines.emplace_back(text_.substr(start, end - start));
    start = end + texts::kLineEnd.size();
  }
  return lines;
}
