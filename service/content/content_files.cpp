#include "service/content/content_files.h"

namespace vanto::service {

std::vector<std::string> FixedFiles() {
  std::vector<std::string> files = {"list.txt",         "Vanto.swf",       "flashGame.swf",
                                    "Kong.swf",         "kong.swf",        "CSHZ.swf",
                                    "SKSZ.swf",         "GDLX.swf",        "ceping.swf",
                                    "sound/right.mp3",  "sound/wrong.mp3", "sound/right1.mp3",
                                    "sound/wrong1.mp3", "sound/4.mp3",     "sound/followMeRead.mp3",
                                    "sound/tap.mp3",    "null.mp3",        "popbox.jpg",
                                    "close.jpg",        "parents.swf"};
  for (int i = 1; i <= 9; ++i) files.push_back("movie/mf" + std::to_string(i) + ".swf");
  // The story islands: one for every seven stories.
  for (int i = 0; i * 7 < kStoryCount; ++i)
    files.push_back("MainBranch" + std::to_string(i) + ".swf");
  // The mini-games live in folders of their own, where the host writes their
  // documents; the folders come with the games.
  for (const char* game : {"mouse", "Zida", "Vize", "Tarqa", "puzzle"}) {
    files.push_back(std::string("hlg/") + game + "/" + game + ".swf");
  }
  return files;
}

std::vector<std::string> DayFiles(int from, int to) {
  std::vector<std::string> files;
  for (int i = from; i < to; ++i) {
    const std::string n = std::to_string(i);
    for (const char* suffix : {".mp3", "w.mp3", "s.mp3"}) files.push_back("ss/" + n + suffix);
    files.push_back("bh/" + n + ".swf");
    files.push_back("bh/" + n + ".json");
    files.push_back("tp/" + n + ".swf");
    files.push_back("pz/" + n + ".jpg");
  }
  return files;
}

std::vector<std::string> StoryFiles(int story) {
  std::vector<std::string> files;
  const std::string folder = "gs" + std::to_string(story) + "/";
  for (int part = 0; part < kStoryParts; ++part)
    files.push_back(folder + std::to_string(part) + ".swf");
  const std::string number = std::to_string(story);
  for (const std::string& name : {"Synopsis" + number + ".swf", "yugao" + number + ".swf",
                                  std::string("game.swf"), number + "a.mp3", number + "b.mp3"})
    files.push_back(folder + name);
  return files;
}

std::vector<std::string> PuzzleFiles(int from, int end) {
  std::vector<std::string> files;
  for (int i = from; i < end; ++i) files.push_back("pz/" + std::to_string(i) + ".jpg");
  return files;
}

}  // namespace vanto::service
