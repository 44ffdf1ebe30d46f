// Who the learner is on the account service: the user id and the number
// `ppt` the service gave, and the distribution channel of this copy. Held by
// the main window for the whole run; the account client reads and sets them.
#pragma once

#include <string>

struct AccountIdentity {
  int uid = 0;
  int ppt = 0;
  std::string qudao;  // at most 31 bytes
};
