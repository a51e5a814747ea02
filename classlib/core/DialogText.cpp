#include "classlib/core/DialogText.h"

#include <algorithm>
#include <string>

namespace {

template <class Char>
std::basic_string<Char> FilterOf(std::basic_string_view<Char> filter) {
    std::basic_string<Char> result;
    if (filter.empty()) return result;
    result.reserve(filter.size() + 2);
    for (Char c : filter) result.push_back(c == Char('|') ? Char(0) : c);
    // One NUL ends the last entry, the second ends the list.
    result.push_back(Char(0));
    result.push_back(Char(0));
    return result;
}

template <class Char>
bool IsAbsolutePart(std::basic_string_view<Char> part) {
    if (!part.empty() && part[0] == Char('\\')) return true;
    return part.size() >= 3 && part[1] == Char(':') && part[2] == Char('\\');
}

// Where the text before the first NUL ends (the buffer's end when it holds none).
template <class Char>
std::size_t TextEnd(std::basic_string_view<Char> buffer) {
    return std::min(buffer.find(Char(0)), buffer.size());
}

// The parts of the list: NUL-separated up to an empty part, or blank-separated up to the first NUL.
template <class Char>
std::vector<std::basic_string_view<Char>> ListParts(std::basic_string_view<Char> buffer, bool blankSeparated) {
    std::vector<std::basic_string_view<Char>> parts;
    std::size_t pos = 0;
    if (blankSeparated) {
        const std::size_t end = TextEnd(buffer);
        while (pos < end) {
            std::size_t next = buffer.find(Char(' '), pos);
            if (next == std::basic_string_view<Char>::npos || next > end) next = end;
            if (next > pos) parts.push_back(buffer.substr(pos, next - pos));
            pos = next + 1;
        }
        return parts;
    }
    while (pos < buffer.size()) {
        std::size_t next = buffer.find(Char(0), pos);
        if (next == std::basic_string_view<Char>::npos) next = buffer.size();
        if (next == pos) break;  // an empty part ends the list
        parts.push_back(buffer.substr(pos, next - pos));
        pos = next + 1;
    }
    return parts;
}

template <class Char>
std::vector<std::basic_string<Char>> NamesOf(std::basic_string_view<Char> buffer, bool multiSelect, bool oldStyle) {
    using String = std::basic_string<Char>;
    std::vector<String> names;
    if (!multiSelect) {
        names.emplace_back(buffer.substr(0, TextEnd(buffer)));
        return names;
    }
    const auto parts = ListParts(buffer, oldStyle);
    if (parts.size() <= 1) {
        names.emplace_back(parts.empty() ? String() : String(parts[0]));
        return names;
    }
    String folder(parts[0]);
    if (folder.back() != Char('\\')) folder.push_back(Char('\\'));
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (IsAbsolutePart(parts[i]))
            names.emplace_back(parts[i]);
        else
            names.push_back(folder + String(parts[i]));
    }
    return names;
}

}  // namespace

AnsiString DialogFilter(std::string_view filter) { return FilterOf(filter); }
WideString DialogFilter(std::u16string_view filter) { return FilterOf(filter); }

std::vector<AnsiString> DialogFileNames(std::string_view buffer, bool multiSelect, bool oldStyle) {
    return NamesOf(buffer, multiSelect, oldStyle);
}
std::vector<WideString> DialogFileNames(std::u16string_view buffer, bool multiSelect, bool oldStyle) {
    return NamesOf(buffer, multiSelect, oldStyle);
}
