#include "service/content/content_script.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <thread>

#include "service/content/content_files.h"
#include "service/content/gbk_text.h"
#include "service/http/query_string.h"

namespace vanto::service {
namespace {

constexpr int kMaxRange = 60;  // characters one query may name
constexpr int kMaxStory = 1000;

bool ValidRange(std::optional<int> from, std::optional<int> to) {
  return from && to && *from >= 0 && *to >= *from && *to - *from <= kMaxRange;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() <= 9 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

namespace {

std::string JoinManifestLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    if (line.find('<') != std::string::npos) continue;
    auto gbk = Utf8ToGbk(line);
    if (!gbk || gbk->find('<') != std::string::npos) continue;
    text += *gbk + "\r\n";
  }
  return text;
}

}  // namespace

std::string ManifestText(const std::vector<std::string>& lines) {
  std::string text = JoinManifestLines(lines);
  return text.empty() ? "#nofile\r\n" : text;
}

ContentScript::ContentScript(ContentConfig config)
    : config_(std::move(config)),
      list_(config_.root / "list.txt"),
      media_(config_.root, config_.media, list_, config_.font) {
  if (!config_.signing_key.empty()) signer_.emplace(config_.signing_key, config_.valid_days);
}

int ContentScript::CourseSize() {
  return static_cast<int>(list_.Lines()->size());
}

ScriptReply ContentScript::Answer(std::string_view raw_query) {
  if (!signer_) return Unsigned(raw_query);
  return signer_->Answer(raw_query, [this](std::string_view query) { return Unsigned(query); });
}

ScriptReply ContentScript::Unsigned(std::string_view raw_query) {
  if (raw_query == "update") return Update();
  auto query = QueryString::Parse(raw_query);
  if (!query || query->Pairs().empty()) return ErrorReply(400, "malformed query");
  auto from = query->GetInt("from");
  auto to = query->GetInt("to");
  if (query->Has("gushi") && query->OnlyKeys({"gushi"})) {
    auto story = query->GetInt("gushi");
    if (!story || *story < 0 || *story >= kMaxStory) return ErrorReply(400, "bad story");
    return {200, ManifestText(Entries(StoryFiles(*story)))};
  }
  if (query->Has("pz") && query->OnlyKeys({"pz", "from"})) {
    auto end = query->GetInt("pz");
    if (!ValidRange(from, end)) return ErrorReply(400, "bad picture range");
    return {200, ManifestText(Entries(PuzzleFiles(*from, std::min(*end, CourseSize()))))};
  }
  if (query->Has("pday") && query->OnlyKeys({"pday", "from", "to"})) {
    auto day = query->GetInt("pday");
    if (!day || *day < 0 || !ValidRange(from, to)) return ErrorReply(400, "bad day range");
    return NextDay(*day, *from, *to);
  }
  if (query->Has("ver") && query->Has("day") &&
      query->OnlyKeys({"day", "from", "to", "ver", "qudao", "close"})) {
    auto day = query->GetInt("day");
    if (!day || *day < 0 || !ValidRange(from, to)) return ErrorReply(400, "bad day range");
    if (!query->Has("close")) return StartUp(*day, *from, *to, *query->Get("ver"));
    if (query->Get("close") != "1" || query->Has("qudao"))
      return ErrorReply(400, "bad close query");
    return NextDay(*day, *from, *to);
  }
  return ErrorReply(400, "unknown query");
}

ScriptReply ContentScript::StartUp(int day, int from, int to, const std::string& version) {
  std::vector<std::string> lines;
  // First, so that a missing updater still lets the rest of the manifest run
  // and the run ends on an entry line.
  if (UpdateIsNewer(version)) lines.push_back("#update\tfile\t" + config_.updater_name);
  std::vector<std::string> files = FixedFiles();
  Append(files, DayFiles(from, std::min(to, CourseSize())));
  Append(files, StoryFiles(day / 5));
  Append(lines, Entries(files));
  return {200, ManifestText(lines)};
}

ScriptReply ContentScript::NextDay(int day, int from, int to) {
  std::vector<std::string> files = DayFiles(from, std::min(to, CourseSize()));
  Append(files, StoryFiles(day / 5));
  return {200, ManifestText(Entries(files))};
}

ScriptReply ContentScript::Update() {
  const auto tree = config_.root / "update";
  std::vector<std::string> files;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(tree, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    std::string relative = std::filesystem::relative(it->path(), tree, error).generic_string();
    if (error || !it->is_regular_file() || relative == "VERSION" ||
        relative.find("/.") != std::string::npos || relative.starts_with("."))
      continue;
    files.push_back(relative);
  }
  std::sort(files.begin(), files.end());
  std::vector<std::string> lines;
  for (const auto& file : files) {
    auto line = EntryLine(tree / file, file);
    if (!line) continue;
    if (file.ends_with(".ex_") && line->find('\t') != std::string::npos) *line += "\texe";
    lines.push_back(*line);
  }
  // The updater reads every line, '#' lines included, as a file to fetch, and
  // takes an empty manifest as "nothing to update".
  return {200, JoinManifestLines(lines)};
}

std::vector<std::string> ContentScript::Entries(const std::vector<std::string>& files) {
  MakeMissingMedia(files);
  std::vector<std::string> lines;
  for (const auto& file : files) {
    if (file.find('\t') != std::string::npos) continue;
    if (auto line = EntryLine(media_.FolderFor(file) / file, file)) lines.push_back(*line);
  }
  return lines;
}

std::optional<std::string> ContentScript::EntryLine(const std::filesystem::path& file,
                                                    const std::string& relative) {
  auto stamp = digests_.Stamp(file);
  if (!stamp) return std::nullopt;
  // The host never matches a digest against an empty file, so a stamped
  // empty file would be fetched again on every run: list it without a stamp.
  if (stamp->empty()) return relative;
  return relative + "\t" + *stamp;
}

void ContentScript::MakeMissingMedia(const std::vector<std::string>& files) {
  std::vector<std::string> missing;
  std::error_code error;
  for (const auto& file : files)
    if (ParseMediaName(file) && !std::filesystem::exists(media_.FolderFor(file) / file, error))
      missing.push_back(file);
  if (missing.empty()) return;
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < missing.size(); i = next++) media_.EnsurePresent(missing[i]);
  };
  std::vector<std::jthread> workers;
  int count = std::min<int>(config_.media_workers, static_cast<int>(missing.size()));
  for (int i = 1; i < count; ++i) workers.emplace_back(work);
  work();
}

bool ContentScript::UpdateIsNewer(const std::string& version) {
  std::ifstream in(config_.root / "update" / "VERSION");
  std::string available;
  if (!in || !std::getline(in, available)) return false;
  while (!available.empty() && (available.back() == '\r' || available.back() == ' '))
    available.pop_back();
  if (!AllDigits(available)) return false;
  if (!AllDigits(version)) return false;
  return std::stol(version) < std::stol(available);
}

}  // namespace vanto::service
