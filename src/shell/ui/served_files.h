// What the movie view's web page may load: files of one folder, named by a
// relative path. Nothing outside the folder is served: no absolute paths, no
// ".." or "." segments, no hidden names, and no symbolic link that leads out.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The native path of `relative` (UTF-8, '/' separated, already
// percent-decoded) inside `root`, when it names a regular file there.
std::optional<std::string> ResolveServedFile(const std::string& root, std::string_view relative);

// The content type a file is served with, from its name's extension.
const char* ContentTypeOf(std::string_view file_name);
