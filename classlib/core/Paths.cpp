#include "classlib/core/Paths.h"

namespace {

// Index of the last folder or drive delimiter in s, or npos.
std::size_t LastDelimiter(std::string_view s) { return s.find_last_of(kPathDelimiters); }

// Index of the last delimiter or '.', or npos.
std::size_t LastDelimiterOrDot(std::string_view s) {
    const std::size_t i = LastDelimiter(s);
    const std::size_t dot = s.rfind('.');
    if (dot == std::string_view::npos) return i;
    return i == std::string_view::npos || dot > i ? dot : i;
}

}  // namespace

bool IsFolderDelimiter(char c) { return c != ':' && kPathDelimiters.find(c) != std::string_view::npos; }

AnsiString ExcludeTrailingFolderDelimiters(std::string_view path) {
    while (path.size() > 1 && IsFolderDelimiter(path.back()) && path[path.size() - 2] != ':') path.remove_suffix(1);
    return AnsiString(path);
}

AnsiString ExtractFilePath(std::string_view fileName) {
    const std::size_t i = LastDelimiter(fileName);
    return i == std::string_view::npos ? AnsiString() : AnsiString(fileName.substr(0, i + 1));
}

AnsiString ExtractFileDir(std::string_view fileName) {
    std::size_t i = LastDelimiter(fileName);
    if (i == std::string_view::npos) return AnsiString();
    // Keep the delimiter of a root: "C:\" and "\" stay as they are.
    if (i > 0 && IsFolderDelimiter(fileName[i]) && !IsFolderDelimiter(fileName[i - 1]) && fileName[i - 1] != ':')
        return AnsiString(fileName.substr(0, i));
    return AnsiString(fileName.substr(0, i + 1));
}

AnsiString ExtractFileName(std::string_view fileName) {
    const std::size_t i = LastDelimiter(fileName);
    return AnsiString(i == std::string_view::npos ? fileName : fileName.substr(i + 1));
}

AnsiString ExtractFileExt(std::string_view fileName) {
    const std::size_t i = LastDelimiterOrDot(fileName);
    if (i == std::string_view::npos || fileName[i] != '.') return AnsiString();
    return AnsiString(fileName.substr(i));
}

AnsiString ChangeFileExt(std::string_view fileName, std::string_view extension) {
    const std::size_t i = LastDelimiterOrDot(fileName);
    const std::string_view stem =
        (i == std::string_view::npos || fileName[i] != '.') ? fileName : fileName.substr(0, i);
    return AnsiString(stem) + AnsiString(extension);
}

AnsiString IncludeTrailingPathDelimiter(std::string_view path) {
    AnsiString r(path);
    if (r.empty() || r.back() != '\\') r += '\\';
    return r;
}

AnsiString ExcludeTrailingPathDelimiter(std::string_view path) {
    AnsiString r(path);
    if (!r.empty() && r.back() == '\\') r.pop_back();
    return r;
}
