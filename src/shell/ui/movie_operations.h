// The operations the host makes on the movie (JSON objects the page's run()
// understands), kept in order until the page runs them. While a movie
// command is being handled they wait and go back with its answer; at other
// times the view sends them at once.
#pragma once

#include <string>
#include <vector>

class MovieOperations {
 public:
  void Add(std::string op) { waiting_.push_back(std::move(op)); }
  bool empty() const { return waiting_.empty(); }
  // "op,op,...", and none wait any more.
  std::string TakeJoined();

  // A movie command is being handled (commands may nest through modal waits).
  void EnterCommand() { ++command_depth_; }
  void LeaveCommand() { --command_depth_; }
  bool InCommand() const { return command_depth_ > 0; }

 private:
  std::vector<std::string> waiting_;
  int command_depth_ = 0;
};
