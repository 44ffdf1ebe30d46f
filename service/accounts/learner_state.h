// A learner's state as the account service keeps it and sends it back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vanto::service {

struct LearnerState {
  int uid = 0;
  int day = 0;
  int today = 0;  // yyyymmdd of the last day the learner was seen
  int dtime = 0;
  int chapter = 0;
  int ch_day = 0;
  int reg_day = 0;
  int review = 0;
  int group = 6;
  int gushi = 5;
  std::array<int, 6> chap_days{};
  std::array<int, 10> mofa{};
};

// "n,n,...," with exactly N non-negative numbers, each followed by ','.
template <size_t N>
std::optional<std::array<int, N>> ParseNumberList(std::string_view text);
extern template std::optional<std::array<int, 6>> ParseNumberList<6>(std::string_view);
extern template std::optional<std::array<int, 10>> ParseNumberList<10>(std::string_view);

template <size_t N>
std::string FormatNumberList(const std::array<int, N>& values) {
  std::string text;
  for (int v : values) text += std::to_string(v) + ",";
  return text;
}

// The account reply file: sections "user", "study", "chap" and "mofa";
// `result` is added to "study" when given (a chapter change's answer).
std::string FormatAccountReply(const LearnerState& state, std::optional<int> result);

}  // namespace vanto::service
