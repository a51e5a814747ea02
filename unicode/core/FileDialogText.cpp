#include "unicode/core/FileDialogText.h"

#include "unicode/core/WidePaths.h"

namespace uni {

WideString DialogFilterText(std::u16string_view filter) {
    if (filter.empty()) return WideString();
    WideString text(filter);
    text += u'|';
    for (char16_t& c : text)
        if (c == u'|') c = u'\0';
    text += u'\0';  // the list ends with an empty entry
    return text;
}

bool IsAbsoluteDialogName(std::u16string_view name) {
    return (!name.empty() && name[0] == u'\\') || (name.size() >= 3 && name[1] == u':' && name[2] == u'\\');
}

TDialogFileNames ReadDialogFileNames(const char16_t* buffer, std::size_t bufferSize, bool multiSelect,
                                     char16_t separator) {
    TDialogFileNames result;
    const std::u16string_view all(buffer, bufferSize);
    if (!multiSelect) {
        const std::size_t end = all.find(u'\0');
        result.truncated = end == std::u16string_view::npos;
        result.files.emplace_back(all.substr(0, end));
        return result;
    }
    // The list ends at the first empty part (two zeros), or for the old style at the terminator.
    std::vector<std::u16string_view> parts;
    std::size_t pos = 0;
    bool ended = false;
    while (pos < all.size()) {
        if (separator != u'\0') {
            const std::size_t zero = all.find(u'\0', pos);
            const std::u16string_view text = all.substr(pos, zero == std::u16string_view::npos ? all.npos : zero - pos);
            ended = zero != std::u16string_view::npos;
            std::size_t p = 0;
            while (p <= text.size()) {
                const std::size_t cut = text.find(separator, p);
                const std::u16string_view part = text.substr(p, cut == text.npos ? text.npos : cut - p);
                if (!part.empty()) parts.push_back(part);
                if (cut == text.npos) break;
                p = cut + 1;
            }
            break;
        }
        const std::size_t zero = all.find(u'\0', pos);
        if (zero == std::u16string_view::npos) {
            parts.push_back(all.substr(pos));
            break;
        }
        if (zero == pos) {
            ended = true;
            break;
        }
        parts.push_back(all.substr(pos, zero - pos));
        pos = zero + 1;
    }
    result.truncated = !ended;
    if (parts.empty()) {
        result.files.emplace_back();
        return result;
    }
    if (parts.size() == 1) {
        result.files.emplace_back(parts[0]);
        return result;
    }
    WideString folder(parts[0]);
    if (folder.back() != u'\\') folder += u'\\';
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (IsAbsoluteDialogName(parts[i]))
            result.files.emplace_back(parts[i]);
        else
            result.files.push_back(folder + WideString(parts[i]));
    }
    return result;
}

WideString TrimInitialDir(std::u16string_view dir) {
    if (dir.size() > 1 && dir.back() == u'\\' && dir[dir.size() - 2] != u':') dir.remove_suffix(1);
    return WideString(dir);
}

WideString DialogDefaultExt(std::u16string_view defaultExt, std::u16string_view fileName, bool explorer) {
    if (!defaultExt.empty() || explorer) return WideString(defaultExt);
    const WideString ext = FileExtOfW(WideString(fileName));
    return ext.empty() ? WideString() : ext.substr(1);
}

}  // namespace uni
