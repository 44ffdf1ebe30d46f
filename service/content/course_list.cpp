#include "service/content/course_list.h"

#include <fstream>

namespace vanto::service {

CourseLine SplitCourseLine(const std::string& line) {
  std::string fields[4];
  size_t start = 0;
  for (int i = 0; i < 4 && start <= line.size(); ++i) {
    size_t tab = line.find('\t', start);
    fields[i] = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return {fields[0], fields[1], fields[2], fields[3]};
}

CourseList::CourseList(std::filesystem::path file)
    : file_(std::move(file)), lines_(std::make_shared<std::vector<CourseLine>>()) {}

std::shared_ptr<const std::vector<CourseLine>> CourseList::Lines() {
  std::error_code error;
  auto mtime = std::filesystem::last_write_time(file_, error);
  auto size = error ? 0 : std::filesystem::file_size(file_, error);
  std::lock_guard lock(mutex_);
  if (error) return std::make_shared<std::vector<CourseLine>>();
  if (mtime == mtime_ && size == size_) return lines_;
  auto lines = std::make_shared<std::vector<CourseLine>>();
  std::ifstream in(file_, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines->push_back(SplitCourseLine(line));
  }
  mtime_ = mtime;
  size_ = size;
  lines_ = lines;
  return lines_;
}

}  // namespace vanto::service
