#include "shell/ui/unseen_popup_runner.h"

int UnseenPopupRunner::RunPopup(CWebDlg& popup) {
  ended_ = false;
  popup.OnInitDialog(*this);
  popup.OnCloseButton();
  ui_.RunUntil([this] { return ended_; });
  return 0;
}
