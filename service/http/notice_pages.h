// The notice pages shown in the course host's popup window at exit:
// "/popup.php?uid=U&day=D" and the fallback "/popup.htm". Both hold a link
// whose address ends in "#close", which closes the popup window.
#pragma once

#include <string_view>

#include "service/http/script_reply.h"

namespace vanto::service {

ScriptReply NoticePage(std::string_view raw_query);
ScriptReply FallbackNoticePage();

}  // namespace vanto::service
