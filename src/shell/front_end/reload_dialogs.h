// The modal progress dialog shown while a manifest's files download
// ("正在下载必要的文件， 请稍候..."). The windowed program shows a real
// dialog; headless mode waits in its event loop and prints the notices.
#pragma once

#include <memory>

#include "delivery/progress_target.h"

class CReloadDlg : public vanto::delivery::ProgressTarget {
 public:
  // Shows the dialog modally until the done notice ends it.
  virtual void DoModal() = 0;
};

class ReloadDialogFactory {
 public:
  virtual ~ReloadDialogFactory() = default;
  virtual std::unique_ptr<CReloadDlg> CreateReloadDialog() = 0;
};
