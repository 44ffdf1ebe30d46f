// The text rules of profile files: finding a value and setting one, on the
// whole file's text. File access lives in profile.cpp.
#include <climits>
#include <cstdint>
#include <vector>

#include "platform/profile.h"

namespace vanto::platform {
namespace {

struct Line {
  std::size_t begin;  // offset of the first byte
  std::size_t end;    // offset of the line end (before CR LF / LF)
  std::size_t next;   // offset of the following line
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t lf = text.find('\n', pos);
    std::size_t next = lf == std::string_view::npos ? text.size() : lf + 1;
    std::size_t end = lf == std::string_view::npos ? text.size() : lf;
    if (end > pos && text[end - 1] == '\r') --end;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

// A stray CR (half of a line end) counts as blank too.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y) return false;
  }
  return true;
}

// Section name of a header line, or false when the line is no header.
bool SectionName(std::string_view line, std::string_view* name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  line.remove_prefix(1);
  std::size_t close = line.find(']');
  *name = Trim(close == std::string_view::npos ? line : line.substr(0, close));
  return true;
}

// Key and raw value of a key line, or false for comments and other lines.
bool KeyLine(std::string_view line, std::string_view* key, std::string_view* value) {
  std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return false;
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  *key = Trim(line.substr(0, eq));
  *value = Trim(line.substr(eq + 1));
  return true;
}

struct Location {
  bool section_found = false;
  std::size_t section_last_line = 0;  // last non-blank line of the section
  bool key_found = false;
  std::size_t key_line = 0;
};

Location Locate(const std::vector<Line>& lines, std::string_view text, std::string_view section,
                std::string_view key) {
  Location at;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    std::string_view name;
    if (SectionName(line, &name)) {
      if (inside) break;  // only the first section of a name counts
      inside = SameName(name, section);
      if (inside) {
        at.section_found = true;
        at.section_last_line = i;
      }
      continue;
    }
    if (!inside) continue;
    if (!Trim(line).empty()) at.section_last_line = i;
    std::string_view k, v;
    if (KeyLine(line, &k, &v) && SameName(k, key)) {
      at.key_found = true;
      at.key_line = i;
      return at;
    }
  }
  return at;
}

std::string_view LineEnd(std::string_view text) {
  if (text.empty() || text.find("\r\n") != std::string_view::npos) return "\r\n";
  return "\n";
}

}  // namespace

bool FindProfileValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string* value) {
  std::vector<Line> lines = SplitLines(text);
  Location at = Locate(lines, text, section, key);
  if (!at.key_found) return false;
  const Line& l = lines[at.key_line];
  std::string_view k, v;
  KeyLine(text.substr(l.begin, l.end - l.begin), &k, &v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  value->assign(v);
  return true;
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
  std::vector<Line> lines = SplitLines(text);
  Location at = Locate(lines, text, section, key);
  std::string_view eol = LineEnd(text);
  std::string out;
  if (at.key_found) {
    const Line& l = lines[at.key_line];
    std::string_view k, v;
    KeyLine(text.substr(l.begin, l.end - l.begin), &k, &v);
    out.append(text.substr(0, l.begin)).append(k).append("=").append(value);
    out.append(text.substr(l.end));
    return out;
  }
  std::string key_line = std::string(key) + "=" + std::string(value) + std::string(eol);
  if (at.section_found) {
    const Line& l = lines[at.section_last_line];
    out.append(text.substr(0, l.end));
    std::string_view line_end = text.substr(l.end, l.next - l.end);
    // The section's last line may end the file without a (complete) line end.
    out.append(line_end.find('\n') == std::string_view::npos ? eol : line_end);
    out.append(key_line).append(text.substr(l.next));
    return out;
  }
  out.assign(text);
  if (!out.empty() && out.back() != '\n') out.append(eol);
  out.append("[").append(section).append("]").append(eol).append(key_line);
  return out;
}

int ParseProfileInt(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && IsBlank(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
    negative = value[i] == '-';
    ++i;
  }
  std::int64_t magnitude = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (value[i] - '0');
    if (magnitude > static_cast<std::int64_t>(INT_MAX) + 1)
      magnitude = static_cast<std::int64_t>(INT_MAX) + 1;
  }
  std::int64_t result = negative ? -magnitude : magnitude;
  if (result > INT_MAX) return INT_MAX;
  if (result < INT_MIN) return INT_MIN;
  return static_cast<int>(result);
}

}  // namespace vanto::platform
