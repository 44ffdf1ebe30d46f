#include "shell/ui/web_engine_environment.h"

#include <cstdlib>

void SetWebEngineEnvironment() {
  // Defaults of WebKitGTK 2.50: 150 and 50000.
  ::setenv("JSC_thresholdForBBQOptimizeAfterWarmUp", "50", 0);
  ::setenv("JSC_thresholdForOMGOptimizeAfterWarmUp", "500000", 0);
  ::setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", 0);
}
