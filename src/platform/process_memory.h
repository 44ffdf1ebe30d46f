// The memory of this process.
#pragma once

namespace vanto::platform {

// Gives the heap memory this process has freed back to the system. Start-up
// (the course check, downloads, the documents) frees most of what it used,
// but the allocator keeps those pages for later unless asked.
void ReturnFreedMemory();

}  // namespace vanto::platform
