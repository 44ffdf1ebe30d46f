// Makes the per-character media of the course on first request and keeps
// them in the content tree: character sounds "ss/%d.mp3" (the character),
// "ss/%dw.mp3" (its word) and "ss/%ds.mp3" (its sentence), and puzzle
// pictures "pz/%d.jpg". Requests for the same file wait for one maker.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "service/course_list.h"

namespace vanto::service {

class MediaMaker {
 public:
  MediaMaker(std::filesystem::path root, CourseList& list, std::string font);

  // For a path of a makeable file ("ss/12w.mp3", "pz/7.jpg") whose file is
  // missing, makes it. Returns false only when such a file could not be made;
  // other paths return true untouched.
  bool EnsurePresent(std::string_view relative);

 private:
  std::mutex& LockFor(const std::string& relative);
  bool Make(const std::string& relative, const std::filesystem::path& target);

  std::filesystem::path root_;
  CourseList& list_;
  std::string font_;
  std::mutex locks_mutex_;
  std::unordered_map<std::string, std::unique_ptr<std::mutex>> locks_;
};

// What a makeable path names: the folder kind ('s' sound, 'p' picture), the
// character index and for sounds the field ('c' character, 'w' word, 's'
// sentence). nullopt for any other path.
struct MediaName {
  char kind = 0;
  int index = 0;
  char field = 'c';
};
std::optional<MediaName> ParseMediaName(std::string_view relative);

}  // namespace vanto::service
