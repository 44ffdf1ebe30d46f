#include "shell/ui/wx_message_boxes.h"

#include <wx/msgdlg.h>

#include <cstring>

#include "platform/codepage.h"

void ShowUtf8MessageBox(wxWindow* parent, const std::string& caption, const std::string& text) {
  wxMessageDialog box(parent, wxString::FromUTF8(text), wxString::FromUTF8(caption),
                      wxOK | wxCENTRE);
  box.ShowModal();
}

void WxMessageBoxes::Show(const std::string& caption, const std::string& text) {
  ShowUtf8MessageBox(parent_, vanto::platform::GbkToUtf8(caption),
                     vanto::platform::GbkToUtf8(text));
}

void WxMessageBoxes::ShowFileError(const std::string& host_path, int error_number) {
  ShowUtf8MessageBox(
      parent_, "VantoPelko",
      "无法访问文件 " + vanto::platform::GbkToUtf8(host_path) + "\n" + std::strerror(error_number));
}
