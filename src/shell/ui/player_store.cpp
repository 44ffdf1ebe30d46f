#include "shell/ui/player_store.h"

#include <filesystem>

WebKitWebContext* NewPlayerContext(const std::string& program_folder) {
  const std::filesystem::path data = std::filesystem::path(program_folder) / kPlayerDataFolder;
  std::error_code error;
  if (!std::filesystem::is_directory(data, error)) return webkit_web_context_new();
  const std::string cache = (data / "cache").string();
  WebKitWebsiteDataManager* manager = webkit_website_data_manager_new(
      "base-data-directory", data.c_str(), "base-cache-directory", cache.c_str(), nullptr);
  WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(manager);
  g_object_unref(manager);
  return context;
}
