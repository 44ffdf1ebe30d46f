// Pieces shared by every document.
#pragma once

#include <string>

namespace vanto::documents {

inline constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";

// A piece formatted the way the C library's printf formats it.
std::string Piece(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vanto::documents
