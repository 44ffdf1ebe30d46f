#include <cstdio>

#include "platform/local_date.h"

int main() {
  std::printf("%d\n", vanto::platform::LocalDateNumber());
}
