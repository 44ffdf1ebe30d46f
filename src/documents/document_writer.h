// Writes one document from first byte to last through a 4096-byte buffer.
// The text goes into a temporary file beside the document, which replaces the
// document only when Close succeeds, so the movie never reads a torn
// document and a failed write leaves the previous one whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "platform/message_box.h"
#include "platform/replacing_file.h"

namespace vanto::documents {

// A failed create, write or close of a document.
struct DocumentFileError {
  std::string host_path;
  int error_number = 0;
};

class DocumentWriter {
 public:
  static constexpr std::size_t kBufferSize = 4096;

  // Each of the three throws DocumentFileError on failure.
  void Open(std::string_view host_path);
  // Appends the bytes of `text` up to its first NUL, unconverted.
  void Write(std::string_view text);
  void Close();

 private:
  void Flush();
  void Fail(int error_number);

  vanto::platform::ReplacingFile file_;
  std::string path_;
  char buffer_[kBufferSize];
  std::size_t used_ = 0;
  bool open_ = false;
};

// Opens `host_path`, lets `body` fill it and closes it. A file error is shown
// through `boxes` (when given) and gives 0; a written document gives 1.
template <class Body>
int WriteDocument(std::string_view host_path, vanto::platform::MessageBoxes* boxes, Body&& body) {
  DocumentWriter writer;
  try {
    writer.Open(host_path);
    std::forward<Body>(body)(writer);
    writer.Close();
    return 1;
  } catch (const DocumentFileError& error) {
    if (boxes) boxes->ShowFileError(error.host_path, error.error_number);
    return 0;
  }
}

}  // namespace vanto::documents
