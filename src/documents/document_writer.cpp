#include "documents/document_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vanto::documents {

void DocumentWriter::Open(std::string_view host_path) {
  path_ = host_path;
  used_ = 0;
  open_ = false;
  int error = file_.Create(host_path);
  if (error != 0) Fail(error);
  open_ = true;
}

void DocumentWriter::Write(std::string_view text) {
  if (!open_) Fail(EBADF);
  std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  while (!text.empty()) {
    if (used_ == kBufferSize) Flush();
    std::size_t n = std::min(kBufferSize - used_, text.size());
    std::memcpy(buffer_ + used_, text.data(), n);
    used_ += n;
    text.remove_prefix(n);
  }
}

void DocumentWriter::Close() {
  if (!open_) Fail(EBADF);
  Flush();
  open_ = false;
  int error = file_.Commit();
  if (error != 0) Fail(error);
}

void DocumentWriter::Flush() {
  int error = file_.Append(buffer_, used_);
  used_ = 0;
  if (error != 0) Fail(error);
}

void DocumentWriter::Fail(int error_number) {
  open_ = false;
  file_.Discard();
  throw DocumentFileError{path_, error_number};
}

}  // namespace vanto::documents
