#include "app/ProfileFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

namespace enlazora::app {
namespace {

struct Line {
  std::string text;  // without its line end
  std::string end;   // "\r\n", "\n" or "" for a last line without one
};

std::vector<Line> SplitLines(std::string_view content) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t newline = content.find('\n', start);
    if (newline == std::string_view::npos) {
      lines.push_back({std::string(content.substr(start)), ""});
      break;
    }
    std::size_t textEnd = newline;
    if (textEnd > start && content[textEnd - 1] == '\r') --textEnd;
    lines.push_back({std::string(content.substr(start, textEnd - start)),
                     std::string(content.substr(textEnd, newline + 1 - textEnd))});
    start = newline + 1;
  }
  return lines;
}

std::string_view Trimmed(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The name of a section header line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trimmed(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  const std::string_view name = close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
  return Trimmed(name);
}

bool IsComment(std::string_view line) {
  line = Trimmed(line);
  return !line.empty() && line.front() == ';';
}

// The key of a key line (the text before "=", or the whole line without one).
std::string_view KeyName(std::string_view line) {
  const std::size_t equals = line.find('=');
  return Trimmed(equals == std::string_view::npos ? line : line.substr(0, equals));
}

std::string LineEndOf(std::string_view content) {
  if (content.find("\r\n") != std::string_view::npos) return "\r\n";
  if (content.find('\n') != std::string_view::npos) return "\n";
  return "\r\n";
}

std::string Joined(const std::vector<Line>& lines) {
  std::string out;
  for (const Line& line : lines) out += line.text + line.end;
  return out;
}

}  // namespace

std::string WithProfileValue(std::string_view content, std::string_view section, std::string_view key,
                             std::string_view value) {
  const std::string lineEnd = LineEndOf(content);
  std::vector<Line> lines = SplitLines(content);
  const std::string keyLine = std::string(key) + "=" + std::string(value);

  std::optional<std::size_t> sectionStart;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].text);
    if (name && SameIgnoringCase(*name, section)) {
      sectionStart = i;
      break;
    }
  }

  if (!sectionStart) {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = lineEnd;
    lines.push_back({"[" + std::string(section) + "]", lineEnd});
    lines.push_back({keyLine, lineEnd});
    return Joined(lines);
  }

  std::size_t lastContent = *sectionStart;  // where a new key goes after
  for (std::size_t i = *sectionStart + 1; i < lines.size() && !SectionName(lines[i].text); ++i) {
    const std::string_view text = lines[i].text;
    if (Trimmed(text).empty()) continue;
    lastContent = i;
    if (IsComment(text)) continue;
    if (SameIgnoringCase(KeyName(text), key)) {
      lines[i].text = std::string(KeyName(text)) + "=" + std::string(value);
      return Joined(lines);
    }
  }
  if (lines[lastContent].end.empty()) lines[lastContent].end = lineEnd;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastContent) + 1, Line{keyLine, lineEnd});
  return Joined(lines);
}

namespace {

std::string FileProblem(const char* what, const std::filesystem::path& file) {
  const std::u8string name = file.u8string();
  return std::string("No se pudo ") + what + " el archivo " + std::string(name.begin(), name.end()) +
         " (compruebe que la carpeta del programa admite escritura).";
}

std::string ReadExisting(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return {};
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ProfileError(FileProblem("leer", file));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw ProfileError(FileProblem("leer", file));
  return bytes.str();
}

bool WriteWhole(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

void WriteProfileValue(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view value) {
  const std::string updated = WithProfileValue(ReadExisting(file), section, key, value);
  // Written beside the file and then moved over it, so that a failure never
  // leaves the host's file half written.
  std::filesystem::path staging = file;
  staging += ".tmp";
  std::error_code error;
  if (WriteWhole(staging, updated)) {
    std::filesystem::rename(staging, file, error);
    if (!error) return;
    std::filesystem::remove(staging, error);
  }
  if (!WriteWhole(file, updated)) throw ProfileError(FileProblem("escribir", file));
}

}  // namespace enlazora::app
