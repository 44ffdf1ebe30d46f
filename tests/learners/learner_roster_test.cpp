// Learners side by side: the earlier one-learner installation joins, new
// learners get folders of their own holding links to the course files an
// existing learner already has, and a start finds the learner to open.
#include "learners/learner_roster.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "learners/learner_choice.h"
#include "learners/learner_trash.h"
#include "temp_folder.h"

using vanto::testing::TempFolder;

namespace {

namespace fs = std::filesystem;
using vanto::learners::Choice;
using vanto::learners::ChooseLearner;
using vanto::learners::LearnerRoster;

ino_t Inode(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

class LearnerRosterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path earlier = temp_.path() / "VantoPelko";
    for (const char* name : {"Vanto.ini",
                             "Vanto.inf",
                             "list.dat",
                             "list.txt",
                             "service.ini",
                             "package-version",
                             "main.xml",
                             "Vanto",
                             "Update",
                             "player/ruffle.js",
                             "player-data/store",
                             "gs1/1.mp3",
                             "ss/1.mp3",
                             "pz/0.jpg",
                             "bh/7.swf",
                             "hlg/puzzle/0.png",
                             "hlg/mouse/mouse.swf",
                             "hlg/mouse/config_mouse.xml",
                             ".tmp.abc",
                             "gs1/.tmp.2.mp3"}) {
      fs::create_directories((earlier / name).parent_path());
      temp_.Write((fs::path("VantoPelko") / name).string(), std::string("bytes of ") + name);
    }
  }

  TempFolder temp_;
  LearnerRoster roster_{temp_.path()};
};

TEST_F(LearnerRosterTest, EarlierInstallationBecomesTheFirstLearnerWithItsFilesUntouched) {
  const Choice choice = ChooseLearner(roster_, {}, false);
  ASSERT_EQ(choice.kind, Choice::Kind::kFolder);
  EXPECT_EQ(choice.folder, temp_.path() / "learners" / "1");
  EXPECT_FALSE(fs::exists(temp_.path() / "VantoPelko"));
  EXPECT_EQ(temp_.Read("learners/1/Vanto.ini"), "bytes of Vanto.ini");
  ASSERT_EQ(roster_.List().size(), 1u);
  EXPECT_EQ(roster_.List()[0].name, vanto::learners::kUnnamedLearner);
}

TEST_F(LearnerRosterTest, EarlierInstallationInUseStaysWhereItIs) {
  const Choice choice = ChooseLearner(roster_, {}, true);
  ASSERT_EQ(choice.kind, Choice::Kind::kFolder);
  EXPECT_EQ(choice.folder, temp_.path() / "VantoPelko");
  EXPECT_TRUE(roster_.List().empty());
}

TEST_F(LearnerRosterTest, NewLearnerSharesOnlyTheDownloadedCourseFiles) {
  ASSERT_TRUE(roster_.AdoptEarlierFolder());
  const LearnerRoster::Added added = roster_.Add("  小明 / Ming  ", 3);
  ASSERT_TRUE(added.card) << added.problem;
  EXPECT_EQ(added.card->name, "小明 / Ming");
  EXPECT_EQ(added.card->folder, temp_.path() / "learners" / "2");
  const fs::path first = temp_.path() / "learners" / "1", second = added.card->folder;
  for (const char* shared :
       {"gs1/1.mp3", "ss/1.mp3", "pz/0.jpg", "bh/7.swf", "hlg/mouse/mouse.swf"}) {
    EXPECT_EQ(Inode(first / shared), Inode(second / shared)) << shared;
  }
  EXPECT_EQ(added.shared.files, 5u);
  for (const char* own :
       {"Vanto.ini", "Vanto.inf", "list.dat", "list.txt", "service.ini", "package-version",
        "main.xml", "Vanto", "Update", "player", "player-data/store", "hlg/puzzle/0.png",
        "hlg/mouse/config_mouse.xml", ".tmp.abc", "gs1/.tmp.2.mp3"}) {
    EXPECT_FALSE(fs::exists(second / own)) << own;
  }
  // A store of its own for the player: the learner's own identity.
  EXPECT_TRUE(fs::is_directory(second / "player-data"));
  EXPECT_FALSE(fs::exists(temp_.path() / "learners" / ".2.new"));
  EXPECT_EQ(roster_.Find("小明 / Ming")->picture, 3);
}

TEST_F(LearnerRosterTest, LearnersAddedTogetherShareWhatTheFirstDownloadsLater) {
  fs::remove_all(temp_.path() / "VantoPelko");
  const auto anna = roster_.Add("Anna", 0).card, ben = roster_.Add("Ben", 1).card;
  ASSERT_TRUE(anna && ben);
  fs::create_directories(anna->folder / "gs1");
  temp_.Write("learners/1/gs1/1.mp3", "downloaded for Anna");
  temp_.Write("learners/1/Vanto.ini", "Anna's");
  EXPECT_EQ(roster_.ShareFromOthers(ben->folder).files, 1u);
  EXPECT_EQ(temp_.Read("learners/2/gs1/1.mp3"), "downloaded for Anna");
  EXPECT_FALSE(fs::exists(ben->folder / "Vanto.ini"));
  EXPECT_EQ(roster_.ShareFromOthers(ben->folder).files, 0u);  // once is enough
}

TEST_F(LearnerRosterTest, NamesMustBeGivenSingleLineAndUnique) {
  EXPECT_FALSE(roster_.Add("   ", 0).card);
  EXPECT_FALSE(roster_.Add("Anna\nBen", 0).card);
  ASSERT_TRUE(roster_.Add("Anna", 0).card);
  const LearnerRoster::Added again = roster_.Add(" Anna", 1);
  EXPECT_FALSE(again.card);
  EXPECT_NE(again.problem.find("Anna"), std::string::npos);
  EXPECT_EQ(roster_.List().size(), 1u);
}

TEST_F(LearnerRosterTest, StartFindsTheNamedLearnerOrAsksWhenThereAreSeveral) {
  fs::remove_all(temp_.path() / "VantoPelko");
  // The very first start makes the one learner.
  const Choice first = ChooseLearner(roster_, {}, false);
  ASSERT_EQ(first.kind, Choice::Kind::kFolder);
  EXPECT_EQ(ChooseLearner(roster_, {}, false).folder, first.folder);
  EXPECT_EQ(ChooseLearner(roster_, {"", true, false}, false).kind, Choice::Kind::kPicker);

  ASSERT_TRUE(roster_.Add("Ben", 1).card);
  EXPECT_EQ(ChooseLearner(roster_, {}, false).kind, Choice::Kind::kPicker);
  const Choice headless = ChooseLearner(roster_, {"", false, true}, false);
  ASSERT_EQ(headless.kind, Choice::Kind::kProblem);
  EXPECT_NE(headless.problem.find("--learner"), std::string::npos);
  EXPECT_EQ(ChooseLearner(roster_, {"Ben", false, true}, false).folder,
            temp_.path() / "learners" / "2");
  const Choice unknown = ChooseLearner(roster_, {"Bob", false, false}, false);
  ASSERT_EQ(unknown.kind, Choice::Kind::kProblem);
  EXPECT_NE(unknown.problem.find("Ben"), std::string::npos);
}

TEST_F(LearnerRosterTest, RemovedLearnerGoesToTheTrash) {
  ::setenv("XDG_DATA_HOME", (temp_.path() / "data").c_str(), 1);
  fs::create_directories(temp_.path() / "data");
  ASSERT_TRUE(roster_.AdoptEarlierFolder());
  ASSERT_TRUE(roster_.Add("Ben", 1).card);
  std::string problem;
  ASSERT_TRUE(vanto::learners::MoveToTrash(roster_.Find("Ben")->folder, &problem)) << problem;
  EXPECT_FALSE(roster_.Find("Ben"));
  EXPECT_TRUE(fs::exists(temp_.path() / "data" / "Trash" / "files" / "2" / "learner.txt"));
  EXPECT_TRUE(fs::exists(temp_.path() / "data" / "Trash" / "info" / "2.trashinfo"));
  // The course files the removed learner shared are still the first one's.
  EXPECT_EQ(temp_.Read("learners/1/gs1/1.mp3"), "bytes of gs1/1.mp3");
}

}  // namespace
