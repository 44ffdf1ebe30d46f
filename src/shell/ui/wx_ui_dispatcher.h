// The user-interface thread of the windowed programs: closures from other
// threads run through the toolkit's call-after queue, and a modal wait runs
// the toolkit's event loop until its condition holds, so windows keep
// painting while a download or a notice is pending.
#pragma once

#include <functional>

#include "delivery/ui_dispatcher.h"

// The thread that constructs the dispatcher is its user-interface thread;
// the toolkit's application object must exist.
class WxUiDispatcher : public vanto::delivery::UiDispatcher {
 public:
  void Post(std::function<void()> task) override;
  void RunUntil(const std::function<bool()>& done) override;
};
