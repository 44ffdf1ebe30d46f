// The movie's commands: compared in a fixed order, the first match wins, so
// an earlier prefix shadows a later keyword ("parentC" before "parent").
#include <cstdio>

#include "shell/command_match.h"
#include "shell/commands/callback.h"
#include "shell/vanto_pelko_dlg.h"

namespace {

bool IsBegin(const std::string& args) {
  return MatchPrefix(args, "begin", 5);
}
bool IsEnd(const std::string& args) {
  return MatchPrefix(args, "end", 3);
}

}  // namespace

void CVantoPelkoDlg::OnFSCommand(const std::string& command, const std::string& args) {
  if (debug_mode_ && !MatchPrefix(command, "microphone", 10)) {
    services_.boxes->Show(command, args);
  }
  if (MatchExact(command, "quit")) {
    ReloadMainMovie();
  } else if (MatchExact(command, "vanto")) {
    if (MatchPrefix(args, "restart", 7)) SetFullScreen(false);
  } else if (MatchExact(command, "addMofa")) {
    study_.AddMofa(ReadDecimal(args));
  } else if (MatchExact(command, "subMofa")) {
    study_.SubMofa(ReadDecimal(args));
  } else if (MatchExact(command, "endMofa")) {
    account_.SendMofa();
  } else if (MatchPrefix(command, "sz_t", 4)) {
    study_.RecordAnswer(args, true);
  } else if (MatchPrefix(command, "sz_f", 4)) {
    study_.RecordAnswer(args, false);
  } else if (MatchPrefix(command, "puzzle", 6)) {
    media_.FetchPuzzlePictures(args);
  } else if (!DispatchGameAndAccount(command, args)) {
    DispatchActivities(command, args);
  }
}

// Rows for the mini-games, the cookie user, the parents' area and logins.
bool CVantoPelkoDlg::DispatchGameAndAccount(const std::string& command, const std::string& args) {
  static constexpr const char* kGames[][2] = {{"mouse", "hlg\\mouse\\config_mouse.xml"},
                                              {"Zida", "hlg\\Zida\\game.xml"},
                                              {"Vize", "hlg\\Vize\\game.xml"},
                                              {"Tarqa", "hlg\\Tarqa\\game.xml"}};
  for (const auto& game : kGames) {
    if (!MatchPrefix(command, game[0], 10)) continue;
    if (IsBegin(args)) {
      media_.FetchGameSounds();
      documents_.WriteGameQuiz(study_, game[1]);
    }
    return true;
  }
  if (MatchPrefix(command, "CookieUser", 10)) {
    ApplyCookieUser(args);
  } else if (MatchPrefix(command, "kid", 3)) {
    study_.parent_mode = 0;
    SetFullScreen(true);
  } else if (MatchPrefix(command, "parentC", 7)) {
    if (IsBegin(args)) study_.EnterParentMode(1);
  } else if (MatchPrefix(command, "fuxi", 4)) {
    media_.FetchReviewMedia(args);
  } else if (MatchPrefix(command, "parent", 6)) {
    account_.ParentLogin(args);
  } else if (MatchPrefix(command, "Chapters", 8)) {
    if (IsBegin(args)) SendChapterToMovie();
  } else if (MatchPrefix(command, "user", 4) || MatchPrefix(command, "newuser", 7)) {
    account_.UserLogin(args);
  } else {
    return false;
  }
  return true;
}

// Rows for tests, lessons, stories, the microphone, chapters and games.
void CVantoPelkoDlg::DispatchActivities(const std::string& command, const std::string& args) {
  if (MatchPrefix(command, "ceping", 6)) {
    if (IsBegin(args)) {
      documents_.WriteOverviewSet(study_);
    } else if (IsEnd(args)) {
      account_.SendMofa();
    }
  } else if (MatchPrefix(command, "SKSZ", 4)) {
    if (IsEnd(args)) {
      account_.ReportStudy();
    } else if (study_.parent_mode == 0) {
      study_.MarkReviewed();
    }
  } else if (MatchPrefix(command, "gushi", 4)) {
    media_.FetchStory(args);
  } else if (MatchPrefix(command, "Synopsis", 4)) {
    media_.PrefetchNextDay();
  } else if (MatchPrefix(command, "microphone", 10)) {
    microphone_.HandleMicrophoneCommand(args);
  } else if (MatchPrefix(command, "currentChapter", 14)) {
    if (!account_.SwitchChapter(args)) {
      services_.boxes->Show("Error", "Failed to change chapter");
    }
  } else if (MatchPrefix(command, "game", 4)) {
    if (IsBegin(args)) {
      PlayGameMovie();
    } else if (MatchPrefix(args, "quit", 4)) {
      ShowKongMovie();
    }
  }
}

void CVantoPelkoDlg::SendChapterToMovie() {
  std::string c = std::to_string(study_.chapter);
  services_.movie->SetVariable("chapter", c);
  CallMovie(services_.movie, BuildCallbackRequest(kChapterCallbackPrefix, c));
}

void CVantoPelkoDlg::ApplyCookieUser(const std::string& args) {
  long long first = 0;
  std::size_t i = 0;
  for (; i < args.size() && args[i] != '+' && args[i] != '|'; ++i) {
    if (args[i] >= '0' && args[i] <= '9' && first <= 0x7FFFFFFF)
      first = first * 10 + (args[i] - '0');
  }
  if (i == args.size()) return;
  int second = ReadDecimal(std::string_view(args).substr(i + 1));
  if (first > 0 && first <= 0x7FFFFFFF && second > 0) {
    SetIdentity(static_cast<int>(first), second);
  }
}
