#include "service/accounts/learner_state.h"

#include <charconv>

namespace vanto::service {

template <size_t N>
std::optional<std::array<int, N>> ParseNumberList(std::string_view text) {
  std::array<int, N> values{};
  for (size_t i = 0; i < N; ++i) {
    size_t comma = text.find(',');
    if (comma == 0 || comma == std::string_view::npos || comma > 9) return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + comma, values[i]);
    if (ec != std::errc() || end != text.data() + comma || values[i] < 0) return std::nullopt;
    text.remove_prefix(comma + 1);
  }
  if (!text.empty()) return std::nullopt;
  return values;
}

template std::optional<std::array<int, 6>> ParseNumberList<6>(std::string_view);
template std::optional<std::array<int, 10>> ParseNumberList<10>(std::string_view);

std::string FormatAccountReply(const LearnerState& s, std::optional<int> result) {
  std::string text = "[user]\r\nuid=" + std::to_string(s.uid) + "\r\n[study]\r\n";
  auto key = [&text](const char* name, int value) {
    text += std::string(name) + "=" + std::to_string(value) + "\r\n";
  };
  key("day", s.day);
  key("group", s.group);
  key("gushi", s.gushi);
  key("today", s.today);
  key("dtime", s.dtime);
  key("chapter", s.chapter);
  key("ch_day", s.ch_day);
  key("reg_day", s.reg_day);
  key("review", s.review);
  if (result) key("result", *result);
  text += "[chap]\r\ndays=" + FormatNumberList(s.chap_days) + "\r\n";
  text += "[mofa]\r\ncount=" + FormatNumberList(s.mofa) + "\r\n";
  return text;
}

}  // namespace vanto::service
