// Wide file-name helpers: the one splitter of wide paths, with the delimiters of the 8-bit one
// (classlib/core/Paths.h). A name is split at its last "\" or ":" (natively also "/"); the extension is what
// follows the last "." of the part after that.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Types.h"

namespace uni {

// Adds "\" unless the name already ends with one (an empty name becomes "\").
WideString AddTrailingBackslashW(const WideString& name);
// Removes one final "\", if there is one.
WideString RemoveTrailingBackslashW(const WideString& name);
// The folder part: up to and including the last "\" or ":"; empty when there is neither.
WideString FilePathOfW(const WideString& name);
// The part after the last "\" or ":".
WideString FileNameOfW(const WideString& name);
// The extension with its dot, from the last "." after the last "\" or ":"; empty when there is none.
WideString FileExtOfW(const WideString& name);
// The name without its extension, followed by ext (ext carries its own dot, or is empty).
WideString ReplaceFileExtW(const WideString& name, const WideString& ext);

// Splits text at every separator into its parts (n separators give n + 1 parts, empty ones included).
std::vector<WideString> SplitAtCharW(const WideString& text, WideChar separator);

// The text of a system error as this layer shows it: the system's text without surrounding blanks and
// line ends, or "Unspecified error (<code>) from <source>." when the system has none.
WideString SystemErrorTextFromRaw(const WideString& systemText, std::uint32_t code, const WideString& source);

}  // namespace uni
