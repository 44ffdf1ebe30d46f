// How the handlers read the movie's argument strings.
#pragma once

#include <string_view>

// The whole argument equals `word`, ignoring ASCII letter case. Double-byte
// characters never equal an ASCII word, so they need no special care here.
bool IsArgumentWord(std::string_view argument, std::string_view word);

// The argument read as a decimal integer the way the C library's atoi reads
// it: optional leading white space and sign, then digits up to the first
// other byte; no digits reads as 0. Values beyond the int range saturate.
int ReadDecimalArgument(std::string_view argument);
