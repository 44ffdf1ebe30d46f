// File queries and small file operations on host paths (see native_path.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vanto::platform {

// Seconds and nanoseconds since the epoch.
struct FileTime {
  std::int64_t seconds = 0;
  std::int64_t nanoseconds = 0;
  auto operator<=>(const FileTime&) const = default;
};

bool PathExists(std::string_view host_path);  // file or folder
bool IsDirectory(std::string_view host_path);
std::optional<FileTime> ModificationTime(std::string_view host_path);

// Creation time of a file: the file system's birth time where it records one.
// Where it records none, the last-modification time stands in. Callers rewrite
// such files in place, so their birth time survives every save; the fallback
// means a file counts as created when it was last saved.
std::optional<FileTime> CreationTime(std::string_view host_path);

bool RemoveFile(std::string_view host_path);
// Permission bits of a file (07777 at most); nothing when it does not exist.
std::optional<unsigned> FilePermissions(std::string_view host_path);
bool SetFilePermissions(std::string_view host_path, unsigned permissions);
bool MakeDirectory(std::string_view host_path);
bool RenameFile(std::string_view from_host_path, std::string_view to_host_path);

// Reads a whole file; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(std::string_view host_path);

// Replaces a file with `bytes` atomically: a temporary file in the same
// folder is written, flushed to disk and renamed over the target. The file
// gets `permissions` when given, else those of the file it replaces (0644
// for a new one).
bool WriteFileAtomically(std::string_view host_path, std::string_view bytes,
                         std::optional<unsigned> permissions = std::nullopt);

// The current directory and the folder of the running program, as host paths.
std::string CurrentFolder();
bool SetCurrentFolder(std::string_view host_path);
std::string ProgramFolder();

}  // namespace vanto::platform
