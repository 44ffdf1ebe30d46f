#include <malloc.h>

#include "platform/process_memory.h"

namespace vanto::platform {

void ReturnFreedMemory() {
  ::malloc_trim(0);
}

}  // namespace vanto::platform
