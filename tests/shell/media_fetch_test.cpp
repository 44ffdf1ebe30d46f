// The on-demand media fetches: which range queries reach the content service,
// the story flags, the fixed range sizes and caps.
#include "shell/commands/media_fetch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "service_host_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class MediaFetchTest : public service_test::ServiceHostTest {
 protected:
  // `day` 12, `ch_day` 10, chapter 1 (first 60), `group` 6.
  MediaFetchTest() { Place(12, 10, 1); }

  void Place(int day, int ch_day, int chapter) {
    dlg->study().day = day;
    dlg->study().ch_day = ch_day;
    dlg->study().chapter = chapter;
  }
  static void MakeStory(int story) {
    for (int part = 0; part < 25; ++part) {
      host_test::WriteFile("gs" + std::to_string(story) + "/" + std::to_string(part) + ".swf", "s");
    }
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
  // The bridge answered the movie for `args` (with or without "error_").
  bool PuzzleReplied(const std::string& args) const {
    return std::any_of(recorder.calls.begin(), recorder.calls.end(), [&](const std::string& c) {
      return c.find("cbPuzzle") != std::string::npos &&
             c.find(args + "</string>") != std::string::npos;
    });
  }
};

TEST_F(MediaFetchTest, StoryIsFetchedOnceAndThenFlagged) {
  Place(0, 0, 0);
  dlg->media().FetchStory("0");  // story 0 is allowed on day 0
  EXPECT_THAT(service.ContentQueries(), ElementsAre("gushi=0"));
  EXPECT_TRUE(Exists("gs0/24.swf"));
  EXPECT_EQ(dlg->media().story_present()[0], 0);  // the fetch itself sets no flag

  dlg->media().FetchStory("0");
  EXPECT_EQ(dlg->media().story_present()[0], 1);
  std::filesystem::remove("gs0/3.swf");
  dlg->media().FetchStory("0");  // flagged: not tested again during the run
  EXPECT_EQ(service.ContentQueries().size(), 1u);
}

TEST_F(MediaFetchTest, StoriesFollowTheStudyDays) {
  Place(4, 0, 0);
  dlg->media().FetchStory("1");
  dlg->media().FetchStory("-1");
  EXPECT_THAT(service.ContentQueries(), IsEmpty());
  Place(5, 0, 0);
  dlg->media().FetchStory("1");
  EXPECT_THAT(service.ContentQueries(), ElementsAre("gushi=1"));
}

TEST_F(MediaFetchTest, MissingPartFetchesOncePerCall) {
  MakeStory(2);
  std::filesystem::remove("gs2/7.swf");
  service.Withhold("gs2/7.swf");
  Place(10, 0, 0);
  dlg->media().FetchStory("2");
  dlg->media().FetchStory("2");
  EXPECT_THAT(service.ContentQueries(), ElementsAre("gushi=2", "gushi=2"));
  EXPECT_EQ(dlg->media().story_present()[2], 0);
}

TEST_F(MediaFetchTest, StoriesBeyondTheFlagTableAreTestedEveryTime) {
  Place(400, 0, 0);
  MakeStory(70);
  dlg->media().FetchStory("70");
  std::filesystem::remove("gs70/0.swf");
  dlg->media().FetchStory("70");
  EXPECT_THAT(service.ContentQueries(), ElementsAre("gushi=70"));
  EXPECT_TRUE(Exists("gs70/0.swf"));
}

TEST_F(MediaFetchTest, PuzzlePicturesOfTheRecentRange) {
  service.Withhold("pz/70.jpg");
  dlg->media().FetchPuzzlePictures("begin");
  // start(11) = 66, end 78; picture 70 stays missing and is asked for again.
  EXPECT_THAT(service.ContentQueries(), ElementsAre("pz=78&from=66", "pz=78&from=66"));
  EXPECT_TRUE(Exists("pz/77.jpg"));
  EXPECT_EQ(dlg->puzzle().record().last_index, 60 + 3 * 6);
  EXPECT_EQ(dlg->puzzle().record().current_index, 60 + 3 * 6);
  EXPECT_TRUE(PuzzleReplied("begin"));
}

TEST_F(MediaFetchTest, PuzzleOtherArgumentsGoStraightToTheBridge) {
  dlg->media().FetchPuzzlePictures("end");
  EXPECT_THAT(service.ContentQueries(), IsEmpty());
  EXPECT_EQ(dlg->puzzle().record().last_index, 6);
  EXPECT_TRUE(PuzzleReplied("end"));
}

TEST_F(MediaFetchTest, RangesStopAtTheirCaps) {
  Place(17, 0, 5);  // start(16) = 900 + 96
  dlg->media().FetchPuzzlePictures("begin");
  Place(50, 0, 5);  // start(49) = 900 + 294
  dlg->media().FetchGameSounds();
  dlg->media().FetchPuzzlePictures("begin");  // beyond picture 999: nothing to ask
  EXPECT_THAT(service.ContentQueries(),
              ElementsAre("pz=1000&from=996", "pday=50&from=1194&to=1200"));
}

TEST_F(MediaFetchTest, GameSoundsPresentNeedNoFetch) {
  for (int i = 66; i < 78; ++i) host_test::WriteFile("ss/" + std::to_string(i) + ".mp3", "m");
  dlg->media().FetchGameSounds();
  EXPECT_THAT(service.ContentQueries(), IsEmpty());
  std::filesystem::remove("ss/77.mp3");
  dlg->media().FetchGameSounds();
  EXPECT_THAT(service.ContentQueries(), ElementsAre("pday=12&from=66&to=78"));
}

TEST_F(MediaFetchTest, ReviewFetchesEachMissingKindAndWritesTheLessons) {
  service.Withhold("bh/63.swf");
  dlg->media().FetchReviewMedia("5");  // before the chapter's first day: its first six
  // One fetch brings the range; the withheld movie asks once more.
  EXPECT_THAT(service.ContentQueries(),
              ElementsAre("pday=7&from=60&to=66", "pday=7&from=60&to=66"));
  EXPECT_TRUE(Exists("tp/65.swf"));
  EXPECT_TRUE(Exists("config_CSHZ.xml") || Exists("config_SKSZ.xml") || Exists("config_GDLX.xml"));
}

TEST_F(MediaFetchTest, ReviewBeyondTheFirstDay) {
  Place(3, 0, 2);
  dlg->media().FetchReviewMedia("5");
  EXPECT_THAT(service.ContentQueries(), ElementsAre("pday=-2&from=180&to=186"));
}

class WorkingFetcher : public ManifestFetcher {
 public:
  explicit WorkingFetcher(host_test::CallLog& recorder, bool running)
      : recorder_(recorder), running_(running) {}
  bool FetchManifest(const std::string& query, vanto::delivery::ProgressTarget* target) override {
    recorder_.Add("Fetch " + query + (target ? " with target" : " without target"));
    return false;
  }
  bool WorkerRunning() const override { return running_; }
  void WaitForWorker() override {}

 private:
  host_test::CallLog& recorder_;
  bool running_;
};

TEST_F(MediaFetchTest, NextDayPrefetchRunsWithoutWindowUnlessAWorkerRuns) {
  dlg->SetManifestFetcher(std::make_unique<WorkingFetcher>(recorder, true));
  dlg->media().PrefetchNextDay();
  dlg->SetManifestFetcher(std::make_unique<WorkingFetcher>(recorder, false));
  dlg->media().PrefetchNextDay();
  std::vector<std::string> fetches;
  for (const std::string& call : recorder.calls) {
    if (call.rfind("Fetch ", 0) == 0) fetches.push_back(call);
  }
  EXPECT_THAT(fetches, ElementsAre("Fetch ?pday=13&from=78&to=90 without target"));
}

}  // namespace
