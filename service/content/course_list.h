// The course's character list "list.txt" as the service reads it: non-empty
// lines in course order, each "character TAB pinyin TAB word TAB sentence".
// Reloaded when the file's modification time or size changes.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vanto::service {

struct CourseLine {
  std::string text;
  std::string spell;
  std::string word;
  std::string sentence;
};

class CourseList {
 public:
  explicit CourseList(std::filesystem::path file);
  // The current lines; empty when the file is missing.
  std::shared_ptr<const std::vector<CourseLine>> Lines();

 private:
  std::filesystem::path file_;
  std::mutex mutex_;
  std::filesystem::file_time_type mtime_{};
  uintmax_t size_ = 0;
  std::shared_ptr<const std::vector<CourseLine>> lines_;
};

// Splits one line of the list at its TABs.
CourseLine SplitCourseLine(const std::string& line);

}  // namespace vanto::service
