// The account service client: logins, the magic-card and study reports and
// the confirmation of a chapter change. Every exchange is one GET request to
// the account script whose reply is saved as "Vanto.inf" in the working
// folder and read with the study file's readers. Requests run synchronously
// on the user-interface thread. Texts are code page 936 bytes.
#pragma once

#include <string>
#include <string_view>

#include "learner/study.h"
#include "platform/message_box.h"
#include "shell/account_identity.h"
#include "shell/content_fetches.h"

inline constexpr std::string_view kAccountScriptPath = "/v2/vtuser.php";
inline constexpr std::string_view kReplyFileName = "Vanto.inf";

class AccountClient {
 public:
  // `account_host` is the service's base address ("http://host"); every
  // argument outlives the client.
  AccountClient(CStudy& study, AccountIdentity& identity, const std::string& account_host,
                vanto::platform::MessageBoxes& boxes, ContentFetches& fetches);

  // "user" / "newuser": the user id and `ppt` joined by '+' or '|'. Both must
  // be above 0; then they become the identity, the login is sent and a valid
  // reply is merged. True when a valid reply arrived.
  bool UserLogin(std::string_view text);

  // "parent": name and password joined by '+' or '|' (the name before the
  // first separator, the password after the last one). A valid reply gives
  // the user id when none is known; the credentials are then saved,
  // otherwise "Parent login failed" is shown. The reply is merged either way.
  // True when a valid reply arrived.
  bool ParentLogin(std::string_view text);

  // Sends the changed magic-card counts; 1 when the request was transferred,
  // 0 when nothing changed or the transfer failed.
  int SendMofa();

  // Reports the finished study day; 1 when the request was transferred.
  int ReportStudy();

  // "currentChapter": changes the chapter locally, then asks the service (up
  // to three times) to confirm it; on confirmation fetches the new range's
  // content with a reload dialog and returns 1. Otherwise 0; the local
  // change stays.
  int SwitchChapter(std::string_view text);

  // "uid=%d&day=%d", for the close-time request of the popup window.
  std::string UserDayQuery() const;

 private:
  std::string AccountUrl() const;
  std::string IdentityQuery() const;

  CStudy& study_;
  AccountIdentity& identity_;
  const std::string& account_host_;
  vanto::platform::MessageBoxes& boxes_;
  ContentFetches& fetches_;
};

// A reply is valid when one of its lines holds "[mofa]".
bool IsValidReply(const std::string& host_path);
