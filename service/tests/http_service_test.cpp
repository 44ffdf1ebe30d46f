// The service over HTTP on 127.0.0.1: routes, path safety, hostile input,
// and a learner's whole round trip.
#include "service/app/http_service.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

#include "running_service.h"
#include "temp_folder.h"

namespace vanto::service {
namespace {

class HttpServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.Write("list.txt",
                "\xE4\xBA\xBA\tren\t\xE4\xBA\xBA\xE4\xBB\xAC\t\xE4\xBA\xBA\xE4\xBB\xAC\n");
    tree_.Write("Vanto.swf", "FWS-movie");
    tree_.Write("ss/0.mp3", "sound");
    tree_.Write("bh/0.swf", "bh");
    tree_.Write("update/Vanto.ex_", "program");
    secret_.Write("secret.txt", "do not serve");
    service_ = std::make_unique<test::RunningService>(tree_.path(), data_.path(), 4);
    ASSERT_TRUE(service_->started());
    client_ = std::make_unique<httplib::Client>("127.0.0.1", service_->port());
  }

  void TearDown() override {
    client_.reset();
    service_.reset();
  }

  httplib::Result Get(const std::string& target) { return client_->Get(target.c_str()); }

  vanto::testing::TempFolder tree_, data_, secret_;
  std::unique_ptr<test::RunningService> service_;
  std::unique_ptr<httplib::Client> client_;
};

TEST_F(HttpServiceTest, ServesTheContentTreeIgnoringTheRandQuery) {
  auto result = Get("/v2/Vanto.swf?rand=12345");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 200);
  EXPECT_EQ(result->body, "FWS-movie");
  EXPECT_EQ(result->get_header_value("Content-Type"), "application/x-shockwave-flash");
  auto update = Get("/v2/update/Vanto.ex_");
  ASSERT_TRUE(update);
  EXPECT_EQ(update->body, "program");
  EXPECT_EQ(Get("/v2/missing.swf")->status, 404);
  EXPECT_EQ(Get("/v2/ss/5.mp3")->status, 404);  // past the end of the list: nothing to make
}

TEST_F(HttpServiceTest, RefusesPathsOutsideTheTree) {
  const std::string escape = "../" + secret_.path().filename().string() + "/secret.txt";
  for (const std::string& target : std::vector<std::string>{
           "/v2/" + escape, "/v2/%2e%2e/" + secret_.path().filename().string() + "/secret.txt",
           "/v2/ss/%2E%2E/%2E%2E/" + secret_.path().filename().string() + "/secret.txt",
           "/v2//etc/passwd", "/v2/%2Fetc%2Fpasswd", "/v2/..%5C..%5Cetc%5Cpasswd", "/v2/",
           "/v2/ss/..", "/v2/.hidden"}) {
    auto result = Get(target);
    ASSERT_TRUE(result) << target;
    EXPECT_EQ(result->status, 404) << target;
    EXPECT_EQ(result->body.find("do not serve"), std::string::npos) << target;
  }
  EXPECT_EQ(Get("/accounts.db")->status, 404);
}

TEST_F(HttpServiceTest, HostileQueriesNeverCrashTheService) {
  const std::string long_value(20000, '9');
  for (const std::string& target : std::vector<std::string>{
           "/v2.php?" + long_value, "/v2.php?day=" + long_value, "/v2/vtuser.php?uid=" + long_value,
           std::string("/v2/vtuser.php?%00=1"),
           std::string("/v2.php?day=0&from=0&to=12&ver=%3C&qudao=%3C"),
           std::string("/v2/vtuser.php?name=%3Cscript%3E&psw=x&qudao=&rand=1&x=2"),
           std::string("/popup.php?uid=%3C&day=%3C"), std::string("/v2.php?&&&&"),
           std::string("/v2/vtuser.php?uid=1&ppt=2&mofa=%2C%2C%2C")}) {
    auto result = Get(target);
    ASSERT_TRUE(result) << target.substr(0, 60);
    if (result->status == 200 && target.starts_with("/v2.php")) {
      EXPECT_EQ(result->body.find('<'), std::string::npos);
    } else if (target.starts_with("/v2")) {
      EXPECT_NE(result->body.find('<'), std::string::npos) << target.substr(0, 60);
    }
  }
  auto notice = Get("/popup.php?uid=%3C&day=%3Cscript%3E");
  EXPECT_EQ(notice->body.find("<script>"), std::string::npos);
  EXPECT_EQ(Get("/v2.php?day=0&from=0&to=1&ver=1&qudao=")->status, 200);  // still serving
}

TEST_F(HttpServiceTest, ALearnerLogsInFetchesADayChangesChapterAndCloses) {
  auto login = Get("/v2/vtuser.php?uid=123&ppt=45&qudao=&rand=100");
  ASSERT_TRUE(login);
  EXPECT_NE(login->body.find("[mofa]"), std::string::npos);
  auto startup = Get("/v2.php?day=0&from=0&to=12&ver=20120610&qudao=");
  ASSERT_EQ(startup->status, 200);
  EXPECT_EQ(startup->body.substr(0, 9), "list.txt\t");
  EXPECT_NE(startup->body.find("ss/0.mp3\t"), std::string::npos);
  auto change =
      Get("/v2/vtuser.php?uid=123&ppt=45&chapter=2&chdays=0,0,0,0,0,0,&ch_day=0&rand=101");
  EXPECT_NE(change->body.find("result=1"), std::string::npos);
  EXPECT_NE(change->body.find("chapter=2"), std::string::npos);
  EXPECT_EQ(Get("/v2.php?pday=0&from=0&to=12")->status, 200);
  auto closing = Get("/v2.php?day=1&from=6&to=18&ver=20120610&close=1");
  EXPECT_EQ(closing->status, 200);
  auto notice = Get("/popup.php?uid=123&day=0");
  EXPECT_NE(notice->body.find("#close\""), std::string::npos);
  EXPECT_NE(notice->body.find("1"), std::string::npos);
  EXPECT_NE(Get("/popup.htm")->body.find("#close\""), std::string::npos);
  auto update = Get("/v2.php?update");
  EXPECT_EQ(update->body.substr(0, 10), "Vanto.ex_\t");
}

TEST(HttpServiceStopTest, StopsAlsoRightAfterStarting) {
  vanto::testing::TempFolder data;
  for (int round = 0; round < 20; ++round) {
    ServiceConfig config;
    config.port = 0;
    config.log = false;
    config.database = (data.path() / "accounts.db").string();
    config.content.root = data.path();
    HttpService service(config);
    ASSERT_TRUE(service.Start());
    std::thread runner([&] { service.Run(); });
    if (round % 2) std::this_thread::yield();
    service.Stop();
    runner.join();
  }
}

TEST_F(HttpServiceTest, ManyClientsAtOnceAllGetAnswers) {
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < 8; ++c) {
    clients.emplace_back([&, c] {
      httplib::Client client("127.0.0.1", service_->port());
      for (int i = 0; i < 25; ++i) {
        auto target = (i % 3 == 0)   ? "/v2/Vanto.swf?rand=" + std::to_string(i)
                      : (i % 3 == 1) ? std::string("/v2.php?pday=0&from=0&to=1")
                                     : "/v2/vtuser.php?uid=" + std::to_string(500 + c) +
                                           "&ppt=1&qudao=&rand=1";
        auto result = client.Get(target.c_str());
        if (result && result->status == 200) ++answered;
      }
    });
  }
  for (auto& client : clients) client.join();
  EXPECT_EQ(answered.load(), 8 * 25);
}

}  // namespace
}  // namespace vanto::service
