#include "shell/ui/script_engine_tiering.h"

#include <cstdlib>

void SetScriptEngineTiering() {
  // Defaults of WebKitGTK 2.50: 150 and 50000.
  ::setenv("JSC_thresholdForBBQOptimizeAfterWarmUp", "50", 0);
  ::setenv("JSC_thresholdForOMGOptimizeAfterWarmUp", "500000", 0);
}
