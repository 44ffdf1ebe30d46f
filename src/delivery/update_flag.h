// The process flag set when the program was started by the updater.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace vanto::delivery {

// 1 when the command line held the switch "updated" (the updater's restart).
// While it is set, the download worker neither installs nor starts
// executable entries and does not end the program for "quit". Set once at
// start-up, read by the worker thread.
inline std::atomic<int> started_after_update{0};

// Whether the first argument that begins with '-' or '/' is the switch
// "updated" (any case). Only that first switch is looked at.
bool HasUpdatedSwitch(const std::vector<std::string>& arguments);

}  // namespace vanto::delivery
