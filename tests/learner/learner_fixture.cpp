#include "learner_fixture.h"

#include <chrono>

#include "platform/local_date.h"

namespace learner_test {

std::string CourseChar(int index) {
  const unsigned code = 0x4E00 + static_cast<unsigned>(index);
  std::string out;
  out.push_back(static_cast<char>(0xE0 | (code >> 12)));
  out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  return out;
}

std::string CourseLine(int index) {
  return CourseChar(index) + "\tpin" + std::to_string(index) + "\tword\tsentence";
}

std::string CourseText(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += CourseLine(i) + "\n";
  return text;
}

int DateDaysBefore(int days) {
  using namespace std::chrono;
  const int today = vanto::platform::LocalDateNumber();
  const year_month_day date{year{today / 10000}, month{static_cast<unsigned>(today / 100 % 100)},
                            day{static_cast<unsigned>(today % 100)}};
  const year_month_day back{sys_days{date} - std::chrono::days{days}};
  return static_cast<int>(back.year()) * 10000 + static_cast<int>(unsigned(back.month())) * 100 +
         static_cast<int>(unsigned(back.day()));
}

}  // namespace learner_test
