// A program started by a test with pipes on its standard input and output.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vanto::testing {

class ChildProcess {
 public:
  // Starts `program` with `arguments` in `folder`; standard error is
  // inherited unless `quiet`.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& folder, bool quiet = false);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void Send(const std::string& text);
  void CloseInput();
  // Reads standard output to its end and waits for the exit; the exit code,
  // or -1 when the time limit passed (the child is then killed).
  int Finish(int timeout_seconds, std::string* output);
  void Kill();
  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
};

}  // namespace vanto::testing
