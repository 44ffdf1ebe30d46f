// Account replies from the network ("Vanto.inf"), as the host reads them:
// the validity test, then the merge into the learner. Whatever the reply
// holds, the learner's position stays one the course can show and the
// queries made from it stay within their buffers' reach.
#include <cstdint>
#include <cstdlib>

#include "fuzz_temp_file.h"
#include "learner/reply_merge.h"
#include "learner/study.h"
#include "shell/commands/account_client.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzTempFile reply("Vanto.inf");
  reply.Write(data, size);
  IsValidReply(reply.HostPath());
  CStudy study;
  MergeReply(study, reply.HostPath());
  if (study.chapter < 0 || study.chapter > 5 || study.group < 1 || study.group > 12 ||
      study.gushi < 1 || study.gushi > 12) {
    std::abort();
  }
  for (const int count : study.mofa_count) {
    if (count < 0) std::abort();
  }
  study.DayRangeQuery(0);
  study.DayRangeQuery(1);
  study.ChapDaysQuery();
  return 0;
}
