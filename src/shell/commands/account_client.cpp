#include "shell/commands/account_client.h"

#include <cstdint>
#include <string>

#include "delivery/url_download.h"
#include "learner/reply_merge.h"
#include "learner/study.h"
#include "platform/file_system.h"
#include "platform/local_date.h"
#include "platform/native_path.h"
#include "platform/profile.h"
#include "shell/command_match.h"
#include "shell/commands/url_query.h"

namespace {

// The parent's name and password are kept to the sizes the account has
// always used (64- and 32-byte buffers): longer input is cut, at a character
// boundary so that no half of a double-byte character is sent or saved.
constexpr std::size_t kMaxNameBytes = 63;
constexpr std::size_t kMaxPasswordBytes = 31;
// Saved credentials are read into 128-byte buffers.
constexpr std::size_t kCredentialBuffer = 128;
constexpr int kChapterAttempts = 3;

std::string ReplyPath() {
  return vanto::platform::JoinHostPath(vanto::platform::CurrentFolder(), kReplyFileName);
}

// The tick count as the signed number that keeps caches from answering.
std::string RandValue() {
  return std::to_string(static_cast<std::int32_t>(vanto::platform::TickCount()));
}

// One exchange: the old reply is removed first so a stale one is never read.
bool Exchange(const std::string& url, const std::string& reply) {
  vanto::platform::RemoveFile(reply);
  return vanto::delivery::DownloadUrlToFile(
      url, reply, vanto::delivery::ReplyOptions(vanto::delivery::kMaxAccountUrl));
}

// Length of the code page 936 character at `at`: a lead byte and its trail
// byte form one unit.
std::size_t UnitLength(std::string_view text, std::size_t at) {
  const auto c = static_cast<unsigned char>(text[at]);
  return (c >= 0x81 && c <= 0xFE && at + 1 < text.size()) ? 2 : 1;
}

std::string CutAtCharacter(std::string_view text, std::size_t max_bytes) {
  std::size_t end = 0;
  while (end < text.size() && end + UnitLength(text, end) <= max_bytes) {
    end += UnitLength(text, end);
  }
  return std::string(text.substr(0, end));
}

struct Separators {
  std::size_t first = std::string_view::npos;
  std::size_t last = std::string_view::npos;
};

// The '+' and '|' of a login text, found only between characters: '|' is
// also the trail byte of some double-byte characters, which belong to the
// name or password.
Separators FindSeparators(std::string_view text) {
  Separators found;
  for (std::size_t at = 0; at < text.size(); at += UnitLength(text, at)) {
    if (text[at] != '+' && text[at] != '|') continue;
    if (found.first == std::string_view::npos) found.first = at;
    found.last = at;
  }
  return found;
}

struct UserPair {
  std::int64_t id = 0;
  int ppt = 0;
};

// Digits before the first '+' or '|' make the user id (other bytes are
// skipped); the rest is read as a decimal number. No separator: `ppt` 0.
// An id beyond 32 bits is kept above INT32_MAX, so the login refuses it.
UserPair ParseUserPair(std::string_view text) {
  UserPair pair;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != '+' && text[i] != '|'; ++i) {
    if (text[i] >= '0' && text[i] <= '9' && pair.id <= INT32_MAX) {
      pair.id = pair.id * 10 + (text[i] - '0');
    }
  }
  if (i < text.size()) pair.ppt = ReadDecimal(text.substr(i + 1));
  return pair;
}

// "name=...&psw=..." from the study file's saved login, values escaped;
// empty when either is missing.
std::string SavedLoginQuery(const CStudy& study) {
  using vanto::platform::ReadProfileString;
  const std::string name = ReadProfileString("user", "name", "", study.ini_path, kCredentialBuffer);
  const std::string password =
      ReadProfileString("user", "pswd", "", study.ini_path, kCredentialBuffer);
  if (name.empty() || password.empty()) return {};
  return "name=" + PercentEncode(name) + "&psw=" + PercentEncode(password);
}

bool ChapterConfirmed(const std::string& reply, int chapter) {
  using vanto::platform::ReadProfileInt;
  return ReadProfileInt("study", "result", 0, reply) > 0 &&
         ReadProfileInt("study", "chapter", 0, reply) == chapter;
}

}  // namespace

AccountClient::AccountClient(CStudy& study, AccountIdentity& identity,
                             const std::string& account_host, vanto::platform::MessageBoxes& boxes,
                             ContentFetches& fetches)
    : study_(study),
      identity_(identity),
      account_host_(account_host),
      boxes_(boxes),
      fetches_(fetches) {}

std::string AccountClient::AccountUrl() const {
  return account_host_ + std::string(kAccountScriptPath);
}

std::string AccountClient::IdentityQuery() const {
  return "uid=" + std::to_string(identity_.uid) + "&ppt=" + std::to_string(identity_.ppt);
}

bool IsValidReply(const std::string& host_path) {
  const auto text = vanto::platform::ReadWholeFile(host_path);
  return text && text->find("[mofa]") != std::string::npos;
}

bool AccountClient::UserLogin(std::string_view text) {
  const UserPair pair = ParseUserPair(text);
  if (pair.id <= 0 || pair.id > INT32_MAX || pair.ppt <= 0) return false;
  identity_.uid = static_cast<int>(pair.id);
  identity_.ppt = pair.ppt;
  const std::string url = AccountUrl() + "?" + IdentityQuery() +
                          "&qudao=" + PercentEncode(identity_.qudao) + "&rand=" + RandValue();
  const std::string reply = ReplyPath();
  if (!Exchange(url, reply) || !IsValidReply(reply)) return false;
  MergeReply(study_, reply);
  return true;
}

bool AccountClient::ParentLogin(std::string_view text) {
  const Separators separators = FindSeparators(text);
  if (separators.first == std::string_view::npos) return false;
  const std::string name = CutAtCharacter(text.substr(0, separators.first), kMaxNameBytes);
  const std::string password = CutAtCharacter(text.substr(separators.last + 1), kMaxPasswordBytes);
  if (name.empty() || password.empty()) return false;
  const std::string url = AccountUrl() + "?name=" + PercentEncode(name) +
                          "&psw=" + PercentEncode(password) +
                          "&qudao=" + PercentEncode(identity_.qudao) + "&rand=" + RandValue();
  const std::string reply = ReplyPath();
  if (!Exchange(url, reply) || !IsValidReply(reply)) return false;
  if (identity_.uid == 0) identity_.uid = vanto::platform::ReadProfileInt("user", "uid", 0, reply);
  if (identity_.uid > 0) {
    SaveCredentials(study_, name, password);
  } else {
    boxes_.Show("error", "Parent login failed");
  }
  MergeReply(study_, reply);
  return true;
}

int AccountClient::SendMofa() {
  // The reply is not read: `mofa_dirty` stays set, so the counts go out
  // again at the next occasion and are stored at exit.
  const std::string counts = WriteMofa(study_, "");
  if (counts.empty()) return 0;
  const std::string url = AccountUrl() + "?" + IdentityQuery() + "&mofa=" + PercentEncode(counts) +
                          "&rand=" + RandValue();
  return Exchange(url, ReplyPath()) ? 1 : 0;
}

int AccountClient::ReportStudy() {
  const std::string url = AccountUrl() + "?" + IdentityQuery() + "&study=1&rand=" + RandValue();
  return Exchange(url, ReplyPath()) ? 1 : 0;
}

int AccountClient::SwitchChapter(std::string_view text) {
  const int chapter = ReadDecimal(text);
  const std::string rand = RandValue();  // one tick count for every request of the change
  const std::string reply = ReplyPath();
  if (identity_.uid == 0) {
    if (const std::string login = SavedLoginQuery(study_); !login.empty()) {
      if (Exchange(AccountUrl() + "?" + login + "&rand=" + rand, reply) && IsValidReply(reply)) {
        identity_.uid = vanto::platform::ReadProfileInt("user", "uid", 0, reply);
      }
    }
  }
  // The local change and its documents come first, whatever the service says.
  study_.ChangeChapter(chapter);
  // ChapDaysQuery is built from numbers only; its "&ch_day=" is a parameter
  // of its own and must stay unescaped.
  const std::string url = AccountUrl() + "?" + IdentityQuery() +
                          "&chapter=" + std::to_string(chapter) +
                          "&chdays=" + study_.ChapDaysQuery() + "&rand=" + rand;
  for (int attempt = 0; attempt < kChapterAttempts; ++attempt) {
    if (!Exchange(url, reply) || !ChapterConfirmed(reply, chapter)) continue;
    fetches_.FetchWithReloadDialog("?p" + study_.DayRangeQuery(0));
    return 1;
  }
  return 0;
}

std::string AccountClient::UserDayQuery() const {
  return "uid=" + std::to_string(identity_.uid) + "&day=" + std::to_string(study_.day);
}
