// Test answers from the movie ("sz_t" right, "sz_f" wrong): the text holds the
// asked character, and for a wrong answer one separator byte and the chosen
// character. Both are matched against the first field of the records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "learner/word_record.h"

// The answer (code page 936) in UTF-8 with its first '?' removed; empty when
// it is too long.
std::string AnswerToUtf8(const std::string& gbk);

// A record's key: from its start up to the first TAB, space or NUL at or after
// its second byte. Records without text (first byte NUL) have no key.
std::string_view RecordKey(const WordRecord& record);

// The first of the first `count` records whose key starts `text` (ASCII
// letters matched without regard to case); null when none does.
WordRecord* FindAnswerRecord(std::vector<WordRecord>& words, std::size_t count,
                             std::string_view text);
