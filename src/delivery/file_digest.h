// Digest checks of files named by manifest entries.
#pragma once

#include <string_view>

namespace vanto::delivery {

// MD5 of the whole file compared with `expected` ignoring letter case over 32
// characters: an expected text shorter than 32 never matches, characters after
// the 32nd are ignored. A missing, locked or zero-length file never matches.
bool FileMd5Matches(std::string_view expected, std::string_view host_path);

// Whether the file of a manifest entry must be fetched. `stamp` is the text
// after the entry's first TAB (it may run on into further fields), nullptr
// when the line has no TAB.
//  - nothing at host_path: true;
//  - no stamp: false;
//  - the stamp is read as up to six numbers separated by '-', ':' or ' ' (a
//    separator closes a number only when it is greater than 0; closing the
//    sixth ends the check with false), then '|' and the expected digest. With
//    a digest the answer is whether the file does not match it, and a file
//    that does not match is deleted first (a failed delete is ignored). Any
//    other character, or the end without '|', gives false.
bool EntryNeedsDownload(const char* stamp, std::string_view host_path);

// Whether a file that has just arrived for a manifest entry may take the
// entry's place: true unless its stamp names a digest (read as
// EntryNeedsDownload reads it) that the file does not match. Nothing is
// deleted.
bool ArrivalMatchesStamp(const char* stamp, std::string_view host_path);

}  // namespace vanto::delivery
