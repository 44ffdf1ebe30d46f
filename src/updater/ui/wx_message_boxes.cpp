#include "updater/ui/wx_message_boxes.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include <cstring>

#include "platform/codepage.h"

namespace {

wxString FromGbk(const std::string& text) {
  return wxString::FromUTF8(vanto::platform::GbkToUtf8(text));
}

}  // namespace

void WxMessageBoxes::Show(const std::string& caption, const std::string& text) {
  wxMessageBox(FromGbk(text), FromGbk(caption), wxOK, wxTheApp->GetTopWindow());
}

void WxMessageBoxes::ShowFileError(const std::string& host_path, int error_number) {
  const wxString text = wxString::Format("%s:\n%s", FromGbk(host_path),
                                         wxString::FromUTF8(std::strerror(error_number)));
  wxMessageBox(text, wxTheApp->GetAppDisplayName(), wxOK | wxICON_ERROR, wxTheApp->GetTopWindow());
}
