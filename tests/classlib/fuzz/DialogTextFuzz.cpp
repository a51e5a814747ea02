// The file names a dialog leaves in our buffer were written by another process's code: any bytes, with or
// without terminators, must give names made only of the buffer's own text. The first byte picks the kind
// of dialog (multi-selection, old style, UTF-16); the rest is the buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/DialogText.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

template <class Char>
void CheckNames(std::basic_string_view<Char> buffer, bool multiSelect, bool oldStyle) {
    const auto names = DialogFileNames(buffer, multiSelect, oldStyle);
    Check(!names.empty());
    const std::size_t end = std::min(buffer.find(Char(0)), buffer.size());
    if (!multiSelect) {
        // One name: a piece of the buffer itself, never longer than the text before the first NUL.
        Check(names.size() == 1);
        Check(names[0].size() <= end);
        Check(buffer.substr(0, end).find(names[0]) != std::basic_string_view<Char>::npos);
        return;
    }
    for (const auto& name : names) {
        // Only an empty list gives an empty name, and then it is the only one.
        Check(!name.empty() || names.size() == 1);
        Check(name.find(Char(0)) == std::basic_string<Char>::npos);
        if (oldStyle) Check(name.find(Char(' ')) == std::basic_string<Char>::npos);
        // At most the folder, a separator and one part: never more than the buffer holds plus one.
        Check(name.size() <= buffer.size() + 1);
    }
}

template <class Char>
void CheckFilter(std::basic_string_view<Char> filter) {
    const auto list = DialogFilter(filter);
    if (filter.empty()) {
        Check(list.empty());
        return;
    }
    Check(list.size() == filter.size() + 2);
    Check(list[list.size() - 1] == Char(0) && list[list.size() - 2] == Char(0));
    Check(list.find(Char('|')) == std::basic_string<Char>::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool multiSelect = data[0] & 1;
    const bool oldStyle = data[0] & 2;
    const char* text = reinterpret_cast<const char*>(data) + 1;
    const std::size_t length = size - 1;
    if (data[0] & 4) {
        // Copies of exactly the buffer's size (no terminator behind them), so that the sanitizer sees any
        // read past the end.
        std::vector<char16_t> wide(length / 2);
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = char16_t(std::uint8_t(text[2 * i]) | (std::uint8_t(text[2 * i + 1]) << 8));
        const std::u16string_view view(wide.data(), wide.size());
        CheckNames(view, multiSelect, oldStyle);
        CheckFilter(view);
    } else {
        const std::vector<char> buffer(text, text + length);
        CheckNames(std::string_view(buffer.data(), buffer.size()), multiSelect, oldStyle);
        CheckFilter(std::string_view(buffer.data(), buffer.size()));
    }
    return 0;
}
