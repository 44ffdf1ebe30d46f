// The account script "/v2/vtuser.php". Queries (values percent-decoded):
//   uid=U&ppt=P&qudao=Q&rand=R                    learner login
//   name=N&psw=W&qudao=Q&rand=R                   parent login
//   uid=U&ppt=P&mofa=c,c,...,&rand=R              magic-card counts
//   uid=U&ppt=P&study=1&rand=R                    the day's study finished
//   uid=U&ppt=P&chapter=C&chdays=d,...,&ch_day=H&rand=R   chapter change
// Each answers the learner's state as an account reply file; the chapter
// change adds "result=1". Anything else, and a refused login, gets an HTML
// error page (which holds '<', so the host ignores it).
#pragma once

#include <string_view>

#include "service/accounts/account_store.h"
#include "service/http/script_reply.h"

namespace vanto::service {

class QueryString;

class AccountScript {
 public:
  explicit AccountScript(AccountStore& store) : store_(store) {}
  ScriptReply Answer(std::string_view raw_query);

 private:
  ScriptReply ParentLogin(const QueryString& query);
  ScriptReply LearnerRequest(const QueryString& query);

  AccountStore& store_;
};

}  // namespace vanto::service
