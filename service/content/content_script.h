// The content script "/v2.php": answers the course host's queries with a
// manifest of the files the learner needs, one line per file:
// path TAB "yyyy-mm-dd hh:mm:ss|md5", in code page 936. The start-up query
// also gets an "#update" command when the update tree holds a newer version
// than the host's. Queries:
//   day=D&from=F&to=T&ver=V&qudao=Q   start-up: fixed files, the range, the story
//   day=D&from=F&to=T&ver=V&close=1   at close: the next day's range and story
//   pday=D&from=F&to=T                 a day's range ("?p" + day range)
//   gushi=N                            story N
//   pz=E&from=S                        puzzle pictures S .. E-1
//   update                             the update manifest
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/content/course_list.h"
#include "service/content/digest_cache.h"
#include "service/content/manifest_signer.h"
#include "service/content/media_maker.h"
#include "service/http/script_reply.h"

namespace vanto::service {

struct ContentConfig {
  std::filesystem::path root;           // the content tree; its "update" folder is the update tree
  std::filesystem::path media{};        // made sounds and pictures; empty: the content tree
  std::string updater_name = "Update";  // the updater program the "#update" command starts
  std::string font = "Noto Sans CJK SC:bold";
  int media_workers = 4;                // media made in parallel for one manifest
  std::filesystem::path signing_key{};  // secret key file; empty: manifests go out unsigned
  int valid_days = ManifestSigner::kDefaultValidDays;  // how long a signed manifest is valid
};

class ContentScript {
 public:
  explicit ContentScript(ContentConfig config);

  // The reply to raw_query, signed when a signing key is configured.
  ScriptReply Answer(std::string_view raw_query);

  // The media maker, shared with the content tree's file serving.
  MediaMaker& Media() { return media_; }
  const std::filesystem::path& Root() const { return config_.root; }

 private:
  ScriptReply Unsigned(std::string_view raw_query);
  ScriptReply StartUp(int day, int from, int to, const std::string& version);
  ScriptReply NextDay(int day, int from, int to);
  ScriptReply Update();
  std::vector<std::string> Entries(const std::vector<std::string>& files);
  std::optional<std::string> EntryLine(const std::filesystem::path& file,
                                       const std::string& relative);
  void MakeMissingMedia(const std::vector<std::string>& files);
  bool UpdateIsNewer(const std::string& version);
  int CourseSize();

  ContentConfig config_;
  CourseList list_;
  DigestCache digests_;
  MediaMaker media_;
  std::optional<ManifestSigner> signer_;
};

// Joins manifest lines with CR LF and converts them to code page 936; lines
// that hold '<' or cannot be converted are left out. A manifest with no line
// gets one comment line, so that the reply is never empty.
std::string ManifestText(const std::vector<std::string>& lines);

}  // namespace vanto::service
