#include "service/content/media_maker.h"

#include <charconv>

#include "service/content/picture_painter.h"
#include "service/content/sound_synth.h"

namespace vanto::service {
namespace {

std::optional<int> ParseIndex(std::string_view digits) {
  if (digits.empty() || digits.size() > 6 || (digits.size() > 1 && digits[0] == '0'))
    return std::nullopt;
  for (char c : digits)
    if (c < '0' || c > '9') return std::nullopt;
  int value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<MediaName> ParseMediaName(std::string_view relative) {
  MediaName name;
  std::string_view stem;
  if (relative.starts_with("ss/") && relative.ends_with(".mp3")) {
    name.kind = 's';
    stem = relative.substr(3, relative.size() - 7);
    if (!stem.empty() && (stem.back() == 'w' || stem.back() == 's')) {
      name.field = stem.back();
      stem.remove_suffix(1);
    }
  } else if (relative.starts_with("pz/") && relative.ends_with(".jpg")) {
    name.kind = 'p';
    stem = relative.substr(3, relative.size() - 7);
  } else {
    return std::nullopt;
  }
  auto index = ParseIndex(stem);
  if (!index) return std::nullopt;
  name.index = *index;
  return name;
}

MediaMaker::MediaMaker(std::filesystem::path root, std::filesystem::path media, CourseList& list,
                       std::string font)
    : root_(std::move(root)),
      media_(media.empty() ? root_ : std::move(media)),
      list_(list),
      font_(std::move(font)) {}

const std::filesystem::path& MediaMaker::FolderFor(std::string_view relative) const {
  if (media_ == root_ || !ParseMediaName(relative)) return root_;
  // A course delivered with its media complete keeps serving its own files.
  std::error_code error;
  return std::filesystem::exists(root_ / relative, error) ? root_ : media_;
}

bool MediaMaker::EnsurePresent(std::string_view relative) {
  auto name = ParseMediaName(relative);
  if (!name) return true;
  const std::string key(relative);
  const auto target = FolderFor(key) / key;
  std::error_code error;
  if (std::filesystem::exists(target, error)) return true;
  // Only characters of the list get a lock of their own, so requests for
  // made-up indexes cannot grow the lock table.
  if (name->index >= static_cast<int>(list_.Lines()->size())) return false;
  std::lock_guard lock(LockFor(key));
  if (std::filesystem::exists(target, error)) return true;
  return Make(key, target);
}

std::mutex& MediaMaker::LockFor(const std::string& relative) {
  std::lock_guard lock(locks_mutex_);
  auto& slot = locks_[relative];
  if (!slot) slot = std::make_unique<std::mutex>();
  return *slot;
}

bool MediaMaker::Make(const std::string& relative, const std::filesystem::path& target) {
  auto name = ParseMediaName(relative);
  auto lines = list_.Lines();
  if (!name || name->index >= static_cast<int>(lines->size())) return false;
  const CourseLine& line = (*lines)[static_cast<size_t>(name->index)];
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  if (name->kind == 'p') return PaintCharacter(line.text, font_, target);
  std::string text = name->field == 'w'   ? line.word
                     : name->field == 's' ? line.sentence
                                          : line.text;
  if (text.empty()) text = line.text;
  return SpeakToMp3(text, target);
}

}  // namespace vanto::service
