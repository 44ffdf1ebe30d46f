// Makes the per-character media of the course on first request and keeps
// them in the media folder (by default the content tree itself): character
// sounds "ss/%d.mp3" (the character), "ss/%dw.mp3" (its word) and
// "ss/%ds.mp3" (its sentence), and puzzle pictures "pz/%d.jpg". Requests for
// the same file wait for one maker. A separate media folder lets the content
// tree stay read-only (an installed course under /usr/share).
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "service/content/course_list.h"

namespace vanto::service {

class MediaMaker {
 public:
  // An empty `media` keeps made files in the content tree `root`.
  MediaMaker(std::filesystem::path root, std::filesystem::path media, CourseList& list,
             std::string font);

  // The folder that holds `relative` ('/'-separated): the media folder for a
  // makeable file the content tree does not hold itself, else the content tree.
  const std::filesystem::path& FolderFor(std::string_view relative) const;

  // For a path of a makeable file ("ss/12w.mp3", "pz/7.jpg") whose file is
  // missing, makes it. Returns false only when such a file could not be made;
  // other paths return true untouched.
  bool EnsurePresent(std::string_view relative);

 private:
  std::mutex& LockFor(const std::string& relative);
  bool Make(const std::string& relative, const std::filesystem::path& target);

  std::filesystem::path root_;
  std::filesystem::path media_;
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
