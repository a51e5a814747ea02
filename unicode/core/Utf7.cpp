#include "unicode/core/Utf7.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "unicode/core/UniExceptions.h"

namespace uni {
namespace {

constexpr std::string_view kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kDirect = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'(),-./:?";
constexpr std::string_view kOptionalDirect = "!\"#$%&*;<=>@[]^_`{|}";
constexpr std::string_view kWhiteSpace = "\t\r\n ";

// The tables are pure functions of the constants above, so they are built at compile time and need no
// first-use guard shared between threads.
struct Utf7Tables {
    std::array<std::int8_t, 128> base64Value{};
    // Characters below 128 that must be written shifted when the optional direct characters are
    // written directly. Every character above 127 must be shifted as well.
    std::array<bool, 128> mustShift{};

    constexpr Utf7Tables() {
        for (auto& v : base64Value) v = -1;
        for (std::size_t i = 0; i < kBase64.size(); ++i) base64Value[std::size_t(kBase64[i])] = std::int8_t(i);
        for (auto& m : mustShift) m = true;
        for (char c : kDirect) mustShift[std::size_t(c)] = false;
        for (char c : kOptionalDirect) mustShift[std::size_t(c)] = false;
        for (char c : kWhiteSpace) mustShift[std::size_t(c)] = false;
    }
};

constexpr Utf7Tables kTables;

bool MustShift(char16_t unit) { return unit > 127 || kTables.mustShift[unit]; }

int Base64Value(unsigned char byte) { return byte < 128 ? kTables.base64Value[byte] : -1; }

// Bits waiting to be written as or read from base64: new bits go below the ones already there, and
// bits are taken from the top.
class BitBuffer {
public:
    void Put(std::uint32_t value, int bits) {
        buffer_ = (buffer_ << bits) | (value & ((1u << bits) - 1));
        count_ += bits;
    }
    std::uint32_t Get(int bits) {
        count_ -= bits;
        std::uint32_t v = (buffer_ >> count_) & ((1u << bits) - 1);
        buffer_ &= (1u << count_) - 1;
        return v;
    }
    int Count() const { return count_; }
    // The bits that are still waiting (they are kept below bit Count()).
    std::uint32_t Pending() const { return buffer_; }
    void Clear() {
        buffer_ = 0;
        count_ = 0;
    }

private:
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

}  // namespace

bool IsUtf7Base64Char(char c) { return Base64Value(static_cast<unsigned char>(c)) >= 0; }

AnsiString EncodeUtf7(const WideString& text) {
    AnsiString out;
    out.reserve(text.size() + text.size() / 2);
    BitBuffer bits;
    bool inBase64 = false;

    auto closeRun = [&] {
        if (bits.Count() > 0) bits.Put(0, 6 - bits.Count());
        while (bits.Count() >= 6) out += kBase64[bits.Get(6)];
        bits.Clear();
        inBase64 = false;
    };

    for (char16_t unit : text) {
        const bool shift = MustShift(unit);
        if (!inBase64 && shift) {
            out += '+';
            if (unit == u'+') {
                out += '-';
                continue;
            }
            inBase64 = true;
        }
        if (inBase64) {
            if (shift) {
                bits.Put(unit, 16);
                while (bits.Count() >= 6) out += kBase64[bits.Get(6)];
                continue;
            }
            closeRun();
            // Only a character that a reader would take as part of the run needs the explicit end.
            if (IsUtf7Base64Char(char(unit)) || unit == u'-') out += '-';
        }
        out += char(unit);
    }
    if (inBase64) closeRun();
    return out;
}

WideString DecodeUtf7(const AnsiString& text) {
    WideString out;
    out.reserve(text.size());
    bool invalid = false;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte != '+') {
            if (byte > 127) invalid = true;
            out += char16_t(byte);
            ++i;
            continue;
        }
        ++i;
        bool firstChar = true;
        bool wroteOne = false;
        BitBuffer bits;
        while (i < n) {
            const int v = Base64Value(static_cast<unsigned char>(text[i]));
            if (v < 0) break;
            bits.Put(std::uint32_t(v), 6);
            firstChar = false;
            if (bits.Count() >= 16) {
                out += char16_t(bits.Get(16));
                wroteOne = true;
            }
            ++i;
        }
        if (i < n && text[i] == '-') {
            ++i;
            if (firstChar)
                out += u'+';
            else if (!wroteOne)
                invalid = true;
        } else if (!wroteOne) {
            // "+" followed by another character, or "+" at the very end: an empty or useless run.
            invalid = true;
        }
        if (bits.Pending() != 0) invalid = true;
    }
    if (invalid) throw EUniGeneralError("Invalid UTF7");
    return out;
}

}  // namespace uni
