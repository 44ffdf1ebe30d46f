#include "documents/xml_escape.h"

namespace vanto::documents {
namespace {

const char* EntityFor(char c, char quote) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    default:
      break;
  }
  if (c == quote) return c == '"' ? "&quot;" : "&apos;";
  return nullptr;
}

std::string Escape(std::string_view text, char quote) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (const char* entity = EntityFor(c, quote)) {
      out += entity;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string EscapeContent(std::string_view text) {
  return Escape(text, '\0');
}

std::string EscapeAttribute(std::string_view text, char quote) {
  return Escape(text, quote);
}

}  // namespace vanto::documents
