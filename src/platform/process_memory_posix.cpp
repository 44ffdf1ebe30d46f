#include "platform/process_memory.h"

#include <malloc.h>

namespace vanto::platform {

void ReturnFreedMemory() {
  ::malloc_trim(0);
}

}  // namespace vanto::platform
