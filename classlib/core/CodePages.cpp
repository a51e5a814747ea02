#include "classlib/core/CodePages.h"

#include <map>
#include <mutex>

#include "classlib/core/Exceptions.h"

namespace {

// Bytes 0x80..0xFF of Windows-1252. The five undefined bytes map to the control characters of the same number,
// as the system's conversion does.
constexpr std::array<char16_t, 128> kCp1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,
    0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
    0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0,
    0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD,
    0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA,
    0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4,
    0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF};

// Bytes 0x80..0xFF of Windows-1251 (0x98 is undefined and maps to U+0098).
constexpr std::array<char16_t, 128> kCp1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

// A single-byte code page with its reverse map.
struct SingleByteTable {
    std::array<char16_t, 128> upper{};
    std::map<char16_t, char> reverse;

    explicit SingleByteTable(const std::array<char16_t, 128>& half) : upper(half) {
        for (int i = 0; i < 128; ++i) reverse.emplace(half[i], char(0x80 + i));
    }
};

struct NativeState {
    std::mutex lock;
    std::map<std::uint32_t, SingleByteTable> tables;
    std::uint32_t systemCodePage = 1252;
    TCodePageBackend* backend = nullptr;

    NativeState() {
        tables.emplace(1252, SingleByteTable(kCp1252));
        tables.emplace(1251, SingleByteTable(kCp1251));
    }
};

NativeState& State() {
    static NativeState state;  // function-local: made on first use, no cross-unit start-up order
    return state;
}

const SingleByteTable* FindTable(std::uint32_t codePage) {
    NativeState& st = State();
    std::lock_guard<std::mutex> guard(st.lock);
    auto it = st.tables.find(codePage);
    return it == st.tables.end() ? nullptr : &it->second;
}

[[noreturn]] void RaiseUnknownCodePage(std::uint32_t codePage) {
    throw EConvertError("No mapping for the code page " + std::to_string(codePage));
}

std::uint32_t Resolve(std::uint32_t codePage) {
    return codePage == CodePageSystemAnsi ? SystemAnsiCodePage() : codePage;
}

void AppendUtf8(AnsiString& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

int CompareUnits(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return int(a[i]) - int(b[i]);
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

void SetCodePageBackend(TCodePageBackend* backend) { State().backend = backend; }

TCodePageBackend* GetCodePageBackend() { return State().backend; }

std::uint32_t SystemAnsiCodePage() {
    NativeState& st = State();
    if (st.backend) return st.backend->AnsiCodePage();
    return st.systemCodePage;
}

void SetSystemAnsiCodePage(std::uint32_t codePage) {
    if (codePage == CodePageSystemAnsi) throw EConvertError("The system code page cannot be 0");
    State().systemCodePage = codePage;
}

void RegisterSingleByteCodePage(std::uint32_t codePage, const std::array<char16_t, 128>& upperHalf) {
    NativeState& st = State();
    std::lock_guard<std::mutex> guard(st.lock);
    st.tables.erase(codePage);
    st.tables.emplace(codePage, SingleByteTable(upperHalf));
}

WideString AnsiToWide(std::string_view s, std::uint32_t codePage) {
    const std::uint32_t cp = Resolve(codePage);
    if (cp == CodePageUtf8) return Utf8Decode(s);
    if (s.empty()) return WideString();
    if (TCodePageBackend* backend = State().backend) {
        WideString out;
        if (!backend->ToWide(s, cp, out)) RaiseUnknownCodePage(cp);
        return out;
    }
    const SingleByteTable* table = FindTable(cp);
    if (!table) RaiseUnknownCodePage(cp);
    WideString out;
    out.reserve(s.size());
    for (char ch : s) {
        const unsigned char b = static_cast<unsigned char>(ch);
        out += b < 0x80 ? char16_t(b) : table->upper[b - 0x80];
    }
    return out;
}

AnsiString WideToAnsi(std::u16string_view w, std::uint32_t codePage) {
    const std::uint32_t cp = Resolve(codePage);
    if (cp == CodePageUtf8) return Utf8Encode(w);
    if (w.empty()) return AnsiString();
    if (TCodePageBackend* backend = State().backend) {
        AnsiString out;
        if (!backend->ToAnsi(w, cp, out)) RaiseUnknownCodePage(cp);
        return out;
    }
    const SingleByteTable* table = FindTable(cp);
    if (!table) RaiseUnknownCodePage(cp);
    AnsiString out;
    out.reserve(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
        const char16_t c = w[i];
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        auto it = table->reverse.find(c);
        if (it != table->reverse.end()) {
            out += it->second;
            continue;
        }
        // A surrogate pair stands for one character: one replacement for both units.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] < 0xE000) ++i;
        out += '?';
    }
    return out;
}

AnsiString Utf8Encode(std::u16string_view w) {
    AnsiString out;
    out.reserve(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
        std::uint32_t c = w[i];
        if (c >= 0xD800 && c < 0xDC00) {
            if (i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (w[i + 1] - 0xDC00);
                ++i;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xDC00 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

WideString Utf8Decode(std::string_view s) {
    WideString out;
    out.reserve(s.size());
    std::size_t i = 0;
    const std::size_t n = s.size();
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    while (i < n) {
        const unsigned char b = at(i);
        if (b < 0x80) {
            out += char16_t(b);
            ++i;
            continue;
        }
        int extra;
        std::uint32_t cp;
        std::uint32_t minimum;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
            cp = b & 0x1F;
            minimum = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            cp = b & 0x0F;
            minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            cp = b & 0x07;
            minimum = 0x10000;
        } else {
            out += char16_t(0xFFFD);
            ++i;
            continue;
        }
        bool ok = i + std::size_t(extra) < n;  // the whole sequence is there
        if (ok) {
            for (int k = 1; k <= extra; ++k) {
                const unsigned char t = at(i + k);
                if ((t & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (t & 0x3F);
            }
        }
        if (!ok || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
            out += char16_t(0xFFFD);
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
        i += std::size_t(extra) + 1;
    }
    return out;
}

namespace classlib {

char16_t SimpleUpper(char16_t c) {
    if (c >= u'a' && c <= u'z') return char16_t(c - 32);
    if (c < 0x80) return c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return char16_t(c - 32);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A: mostly pairs (upper even, lower odd), shifted by one in 0x139..0x148 and 0x179..0x17E.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : char16_t(c - 1);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c & 1) ? char16_t(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return char16_t(c - 32);  // Greek
    if (c >= 0x430 && c <= 0x44F) return char16_t(c - 32);                // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return char16_t(c - 80);
    if (c >= 0x460 && c <= 0x4FF && c != 0x482 && !(c >= 0x483 && c <= 0x489)) {
        if (c == 0x490 || c == 0x491) return 0x490;
        return (c & 1) ? char16_t(c - 1) : c;
    }
    return c;
}

char16_t SimpleLower(char16_t c) {
    if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
    if (c < 0x80) return c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 32);
    if (c == 0x178) return 0xFF;
    if (c >= 0x100 && c <= 0x17F) {
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? char16_t(c + 1) : c;
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c & 1) ? c : char16_t(c + 1);
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return char16_t(c + 32);
    if (c >= 0x410 && c <= 0x42F) return char16_t(c + 32);
    if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
    if (c >= 0x460 && c <= 0x4FF && c != 0x482 && !(c >= 0x483 && c <= 0x489)) {
        return (c & 1) ? c : char16_t(c + 1);
    }
    return c;
}

}  // namespace classlib

WideString WideUpperCase(std::u16string_view w) {
    if (TCodePageBackend* backend = State().backend) return backend->UpperWide(w);
    WideString out(w);
    for (char16_t& c : out) c = classlib::SimpleUpper(c);
    return out;
}

WideString WideLowerCase(std::u16string_view w) {
    if (TCodePageBackend* backend = State().backend) return backend->LowerWide(w);
    WideString out(w);
    for (char16_t& c : out) c = classlib::SimpleLower(c);
    return out;
}

int WideCompareStr(std::u16string_view a, std::u16string_view b) {
    if (TCodePageBackend* backend = State().backend) return backend->CompareWide(a, b, false);
    return CompareUnits(a, b);
}

int CompareTextSystem(std::u16string_view a, std::u16string_view b) {
    if (TCodePageBackend* backend = State().backend) return backend->CompareWide(a, b, true);
    return CompareUnits(WideUpperCase(a), WideUpperCase(b));
}

bool SameTextSystem(std::u16string_view a, std::u16string_view b) { return CompareTextSystem(a, b) == 0; }
