// The updater's window texts (UTF-8): its string table and the texts of its
// window.
#pragma once

namespace vanto::resources {

inline constexpr const char* kSocketsFailed = "Windows 通信端口初始化失败。";  // 103
inline constexpr const char* kUpdaterCaption = "VantoPelko";
inline constexpr const char* kUpdatedHeading = "VantoPelko更新了";
inline constexpr const char* kDatePlaceholder = "DATE";
inline constexpr const char* kStatusTemplate = "将立刻下载并更新...";
inline constexpr const char* kStatusInitial = "点击确定立刻下载更新";
inline constexpr const char* kOkButton = "确定";
inline constexpr const char* kUpdateFailed = "更新失败!";
inline constexpr const char* kDownloadFailed = "Download Failed.";

}  // namespace vanto::resources
