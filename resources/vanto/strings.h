// The host's window texts (UTF-8): its string table and the captions of its
// dialogs. The windowed front end shows them; the window logic uses only the
// ones it needs for messages.
#pragma once

namespace vanto::resources {

// String table.
inline constexpr const char* kAlreadyRunning = "已经有一个运行的“VantoPelko”程序了。";  // 1
inline constexpr const char* kLoadingNextDay = "正在加载下一次学习的内容";              // 2
inline constexpr const char* kLearnedBefore = "累计已学习";                             // 3
inline constexpr const char* kLearnedAfter = "个汉字";                                  // 4
inline constexpr const char* kDownloadDone = "(已完成)";                                // 5
inline constexpr const char* kProgramTitle = "VantoPelko";                              // 6

// Dialogs.
inline constexpr const char* kMainWindowCaption = "VantoPelko";
inline constexpr const char* kLoadingStatusInitial = "...";
inline constexpr const char* kReloadDialogCaption = "正在下载必要的文件， 请稍候...";

}  // namespace vanto::resources
