// vanto-service: the reference service for the course host (content script,
// content and update trees, account script, notice pages).
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "service/accounts/account_store.h"
#include "service/app/http_service.h"
#include "service/app/service_options.h"
#include "service/content/manifest_signer.h"

namespace {

int AddUser(const vanto::service::ServiceOptions& options) {
  vanto::service::AccountStore store(options.config.database);
  const auto& add = *options.add_user;
  auto made = store.AddParent(add.name, add.password, add.uid);
  std::printf("parent %s -> learner uid %d", add.name.c_str(), made.uid);
  if (made.ppt) std::printf(" (new learner, ppt %d)", made.ppt);
  std::printf("\n");
  return 0;
}

int Serve(const vanto::service::ServiceOptions& options) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);  // threads started below inherit the mask

  vanto::service::HttpService service(options.config);
  if (!service.Start()) {
    std::fprintf(stderr, "vanto-service: cannot listen on %s:%d\n", options.config.host.c_str(),
                 options.config.port);
    return 1;
  }
  std::fprintf(stderr, "vanto-service: serving %s on http://%s:%d\n",
               options.config.content.root.c_str(), options.config.host.c_str(), service.Port());
  std::thread waiter([&] {
    int signal = 0;
    sigwait(&signals, &signal);
    service.Stop();
  });
  service.Run();
  pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(vanto::service::kServiceUsage, stdout);
    return 0;
  }
  std::string error;
  auto options = vanto::service::ParseServiceOptions(args, error);
  if (!options) {
    std::fprintf(stderr, "vanto-service: %s\n%s", error.c_str(), vanto::service::kServiceUsage);
    return 2;
  }
  try {
    if (options->keygen) {
      vanto::service::WriteKeyPair(options->keygen->secret_file, options->keygen->public_file);
      return 0;
    }
    return options->add_user ? AddUser(*options) : Serve(*options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vanto-service: %s\n", failure.what());
    return 1;
  }
}
