// Starting programs and ending this one, as the manifest asks. Behind an
// interface so that tests can watch what a manifest starts or ends.
#pragma once

#include <string>
#include <vector>

namespace vanto::delivery {

class ProcessControl {
 public:
  virtual ~ProcessControl() = default;

  // Starts the program at host_path (shown normally); false when it could not
  // be started. An empty start folder keeps the current one.
  virtual bool Start(const std::string& host_path, const std::vector<std::string>& arguments,
                     const std::string& start_folder) = 0;

  // Ends the program at once with exit code 0. The real one does not return;
  // a test double returns and the caller stops its work.
  virtual void RequestQuit() = 0;
};

// The operating system's program start and process end.
class SystemProcessControl : public ProcessControl {
 public:
  bool Start(const std::string& host_path, const std::vector<std::string>& arguments,
             const std::string& start_folder) override;
  void RequestQuit() override;
};

}  // namespace vanto::delivery
