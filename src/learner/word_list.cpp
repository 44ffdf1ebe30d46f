#include "learner/word_list.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "learner/list_dat_file.h"
#include "learner/study.h"
#include "platform/file_system.h"
#include "platform/native_path.h"

namespace {

bool CanOpenForReading(std::string_view host_path) {
  std::FILE* file = std::fopen(vanto::platform::NativePath(host_path).c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

void ShowFileError(const CStudy& study, const std::string& host_path, int error) {
  if (study.message_boxes()) study.message_boxes()->ShowFileError(host_path, error);
}

// The lines a line reader gives back: the break (LF or CR LF) is removed, and
// a line ends at an embedded NUL as a C string would.
void TrimLine(std::string& line, bool ended_by_newline) {
  if (ended_by_newline && !line.empty() && line.back() == '\r') line.pop_back();
  const auto nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
}

}  // namespace

int CompareListTimes(std::string_view text_path, std::string_view dat_path) {
  if (!CanOpenForReading(text_path) || !CanOpenForReading(dat_path)) return 0;
  const auto modified = vanto::platform::ModificationTime(text_path);
  const auto created = vanto::platform::CreationTime(dat_path);
  if (!modified || !created) return 0;
  if (*modified < *created) return -1;
  return *modified > *created ? 1 : 0;
}

WordRecord RecordFromListLine(std::string_view line) {
  WordRecord record{};
  if (line.size() <= kMaxListLine) {
    std::memcpy(record.line, line.data(), line.size());
    record.line[line.size()] = '\t';
  }
  return record;
}

bool CStudy::ParseListText(const std::string& text_path) {
  words.clear();
  word_count = 0;
  errno = 0;
  std::ifstream in;
  char buffer[4096];
  in.rdbuf()->pubsetbuf(buffer, sizeof buffer);
  in.open(vanto::platform::NativePath(text_path), std::ios::binary);
  if (!in) {
    ShowFileError(*this, text_path, errno != 0 ? errno : ENOENT);
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    TrimLine(line, !in.eof());
    if (!line.empty()) words.push_back(RecordFromListLine(line));
  }
  word_count = static_cast<std::uint32_t>(words.size());
  return word_count > 0;
}

bool CStudy::LoadWordList() {
  const std::string folder = vanto::platform::CurrentFolder();
  if (list_path.empty()) list_path = vanto::platform::JoinHostPath(folder, "list.dat");
  const std::string text_path = vanto::platform::JoinHostPath(folder, "list.txt");
  RecoverListJournal(list_path);
  if (!vanto::platform::PathExists(list_path) || CompareListTimes(text_path, list_path) >= 0) {
    return ParseListText(text_path);
  }
  words.clear();
  word_count = 0;
  if (const int error = ReadListDat(list_path, &words); error != 0) {
    ShowFileError(*this, list_path, error);
    return false;
  }
  word_count = static_cast<std::uint32_t>(words.size());
  return true;
}
