// The text rules shared by the 8-bit and the UTF-16 string lists: line splitting, delimited ("comma") text
// and name/value lines. Templates over the character type, so both lists split and quote alike.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace classlib::listtext {

// A line ends at CR LF, LF or CR; a last line without an end counts; an empty text has no lines.
template <class C>
std::vector<std::basic_string<C>> SplitLines(std::basic_string_view<C> text) {
    std::vector<std::basic_string<C>> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const C c = text[i];
        if (c == C('\r') || c == C('\n')) {
            lines.emplace_back(text.substr(start, i - start));
            if (c == C('\r') && i + 1 < text.size() && text[i + 1] == C('\n')) ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

template <class C>
bool IsBlankOrControl(C c) {
    return static_cast<std::make_unsigned_t<C>>(c) <= ' ';
}

// Delimited text of the lines: a line holding a blank, a control character, the quote or the delimiter is
// quoted (inner quotes doubled); a list of one empty line gives two quotes.
template <class C>
std::basic_string<C> JoinDelimited(const std::vector<std::basic_string<C>>& lines, C delimiter, C quote) {
    std::basic_string<C> out;
    if (lines.size() == 1 && lines[0].empty()) return std::basic_string<C>(2, quote);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::basic_string<C>& s = lines[i];
        bool needsQuotes = false;
        for (C c : s) {
            if (IsBlankOrControl(c) || c == quote || c == delimiter) {
                needsQuotes = true;
                break;
            }
        }
        if (i > 0) out += delimiter;
        if (needsQuotes) {
            out += quote;
            for (C c : s) {
                out += c;
                if (c == quote) out += quote;
            }
            out += quote;
        } else {
            out += s;
        }
    }
    return out;
}

// Splits delimited text: items are separated by the delimiter or by blanks outside quotes; a quoted item
// keeps its blanks and delimiters and reads a doubled quote as one (an unclosed quote runs to the end); a
// delimiter at the very end adds an empty item.
template <class C>
std::vector<std::basic_string<C>> SplitDelimited(std::basic_string_view<C> text, C delimiter, C quote) {
    std::vector<std::basic_string<C>> items;
    std::size_t p = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (p < n && IsBlankOrControl(text[p])) ++p;
    };
    skipBlanks();
    while (p < n) {
        std::basic_string<C> item;
        if (text[p] == quote) {
            ++p;
            while (p < n) {
                if (text[p] == quote) {
                    if (p + 1 < n && text[p + 1] == quote) {
                        item += quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const std::size_t from = p;
            while (p < n && !IsBlankOrControl(text[p]) && text[p] != delimiter) ++p;
            item.assign(text.substr(from, p - from));
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (p < n && text[p] == delimiter) {
            if (p + 1 == n) items.emplace_back();
            ++p;
            skipBlanks();
        }
    }
    return items;
}

// Name/value lines: the name is the part before the first separator, the value the part after it; both are
// empty when the line has no separator.
template <class C>
std::basic_string<C> NameOfLine(const std::basic_string<C>& line, C separator) {
    const std::size_t sep = line.find(separator);
    return sep == std::basic_string<C>::npos ? std::basic_string<C>() : line.substr(0, sep);
}

template <class C>
std::basic_string<C> ValueOfLine(const std::basic_string<C>& line, C separator) {
    const std::size_t sep = line.find(separator);
    return sep == std::basic_string<C>::npos ? std::basic_string<C>() : line.substr(sep + 1);
}

// Sets the value of the line named name, adding the line when there is none; an empty value deletes the line.
template <class List, class S, class C>
void SetNamedValue(List& list, const S& name, const S& value, C separator) {
    const int i = list.IndexOfName(name);
    if (!value.empty()) {
        const S line = name + separator + value;
        if (i < 0) {
            list.Add(line);
        } else {
            list.Put(i, line);
        }
    } else if (i >= 0) {
        list.Delete(i);
    }
}

// Sets the value of line index (a new line when index is negative); an empty value deletes the line.
template <class List, class S, class C>
void SetValueAt(List& list, int index, const S& value, C separator) {
    if (value.empty()) {
        list.Delete(index);
        return;
    }
    if (index < 0) index = list.Add(S());
    list.Put(index, list.Names(index) + separator + value);
}

}  // namespace classlib::listtext
