// vanto-copy-accounts FROM TO: copies every learner and parent account from
// one account database to another, for example from the SQLite file of a
// single-machine service to PostgreSQL. The target must hold no learner yet.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>

#include "service/accounts/open_account_database.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(
        "usage: vanto-copy-accounts FROM TO\n"
        "  FROM, TO: a SQLite file or a postgresql:// URI; TO must hold no learner yet\n",
        stderr);
    return 2;
  }
  if (!std::string_view(argv[1]).starts_with("postgres") && !std::filesystem::exists(argv[1])) {
    std::fprintf(stderr, "vanto-copy-accounts: %s: no such file\n", argv[1]);
    return 1;
  }
  try {
    auto from = vanto::service::OpenAccountDatabase(argv[1]);
    auto to = vanto::service::OpenAccountDatabase(argv[2]);
    auto [learners, parents] = vanto::service::CopyAccounts(*from, *to);
    std::printf("copied %zu learners and %zu parents\n", learners, parents);
    return 0;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vanto-copy-accounts: %s\n", failure.what());
    return 1;
  }
}
