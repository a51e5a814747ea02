// File-name parts: the one splitter of 8-bit paths (WidePaths.h in the Unicode layer is the one of wide paths,
// with the same delimiters). Folders are separated by '\' and a drive ends at ':'; the extension is what follows
// the last '.' after the last of them. On Windows '/' is an ordinary character here, as it is for the system's
// own file-name functions; a native build also splits at '/', its system's separator, so that platform-free code
// can be tested on the native file system.
#pragma once
#include <string_view>

#include "classlib/core/Types.h"

#ifdef _WIN32
inline constexpr std::string_view kPathDelimiters = "\\:";
inline constexpr std::u16string_view kWidePathDelimiters = u"\\:";
#else
inline constexpr std::string_view kPathDelimiters = "\\:/";
inline constexpr std::u16string_view kWidePathDelimiters = u"\\:/";
#endif

// Whether c separates folders ('\', natively also '/'; a drive's ':' does not).
bool IsFolderDelimiter(char c);
// Drops every trailing folder delimiter, but keeps a root: "C:\", "\" and natively "/" stay as they are.
AnsiString ExcludeTrailingFolderDelimiters(std::string_view path);

// "C:\dir\name.ext": "C:\dir\" (up to and with the last delimiter).
AnsiString ExtractFilePath(std::string_view fileName);
// "C:\dir" (without the last delimiter, unless it belongs to a root such as "C:\" or "\").
AnsiString ExtractFileDir(std::string_view fileName);
// "name.ext".
AnsiString ExtractFileName(std::string_view fileName);
// ".ext" (with the dot; empty when the name has no dot).
AnsiString ExtractFileExt(std::string_view fileName);
// Replaces the extension (or appends one); extension includes its dot, empty removes it.
AnsiString ChangeFileExt(std::string_view fileName, std::string_view extension);
// Adds a '\' unless the text already ends with one (so an empty folder gives "\").
AnsiString IncludeTrailingPathDelimiter(std::string_view path);
// Removes one trailing '\', if any.
AnsiString ExcludeTrailingPathDelimiter(std::string_view path);
