// The file-format negotiation with a source, platform-free: which format a file transfer can agree on with the
// source, given the formats the program accepts.
#pragma once
#include <cstdint>
#include <functional>

#include "scan/core/TwnSettings.h"

namespace twn {

// Rounds of the file-format negotiation at most: a source that answers something else every time, or answers a
// format the settings refuse, cannot keep it going.
constexpr int kMaxFormatRounds = 16;

// Negotiates the format starting from requested: each round asks the source to take the format (setAndRead sets
// it and answers the source's current format, 232 when unreadable); a differing answer among the candidates is
// taken, otherwise the asked format leaves the candidates and the lowest remaining one of 0 to 7 is asked next.
// Ends when the source agrees, no candidate remains, or after kMaxFormatRounds. Answers the agreed format, or
// kTwnNoFileFormat when none was agreed.
TTwnFileFmt NegotiateFileFormat(TTwnFileFmt requested, TTwnFileFmts candidates,
                                const std::function<TTwnFileFmt(TTwnFileFmt)>& setAndRead);

}  // namespace twn
