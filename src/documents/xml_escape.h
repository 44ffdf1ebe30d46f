// Escaping of list texts where they enter a document. Texts without the
// special characters come back unchanged, byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace vanto::documents {

// For element content: & < >.
std::string EscapeContent(std::string_view text);
// For an attribute value quoted with `quote` (' or "): & < > and the quote.
std::string EscapeAttribute(std::string_view text, char quote);

}  // namespace vanto::documents
