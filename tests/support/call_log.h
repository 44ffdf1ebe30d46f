// The calls a group of recording stand-ins received, one line each, in order.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vanto::testing {

struct CallLog {
  std::vector<std::string> calls;
  void Add(std::string call) { calls.push_back(std::move(call)); }
  bool Has(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }
};

}  // namespace vanto::testing
