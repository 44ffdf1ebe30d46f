// The movie view serves one folder and nothing outside it.
#include "shell/ui/served_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace fs = std::filesystem;

TEST(ServedFiles, OnlyRegularFilesInsideTheFolder) {
  const vanto::testing::TempFolder folder("vanto-served");
  const fs::path& base = folder.path();
  const fs::path root = base / "root";
  fs::create_directories(root / "hlg");
  std::ofstream(root / "hlg" / "game.xml") << "<x/>";
  std::ofstream(root / "汉字.mp3") << "a";
  std::ofstream(base / "secret.txt") << "no";
  fs::create_symlink(base / "secret.txt", root / "out.txt");
  fs::create_symlink(root / "hlg" / "game.xml", root / "in.xml");

  EXPECT_EQ(ResolveServedFile(root, "hlg/game.xml"), fs::canonical(root / "hlg" / "game.xml"));
  EXPECT_TRUE(ResolveServedFile(root, "汉字.mp3"));
  EXPECT_TRUE(ResolveServedFile(root, "in.xml"));  // a link that stays inside
  for (const char* refused :
       {"../secret.txt", "hlg/../../secret.txt", "/etc/passwd", "out.txt", "hlg", "",
        "./hlg/game.xml", "hlg//game.xml", "hlg\\game.xml", ".hidden", "missing.swf"}) {
    EXPECT_FALSE(ResolveServedFile(root, refused)) << refused;
  }
}

TEST(ServedFiles, ContentTypes) {
  EXPECT_STREQ(ContentTypeOf("core.WASM"), "application/wasm");
  EXPECT_STREQ(ContentTypeOf("Vanto.swf"), "application/x-shockwave-flash");
  EXPECT_STREQ(ContentTypeOf("ruffle.js"), "text/javascript; charset=utf-8");
  EXPECT_STREQ(ContentTypeOf("README"), "application/octet-stream");
}
