#include "tools/core/TKelvoLensProfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "unicode/core/WidePaths.h"
#include "classlib/core/StringUtils.h"

namespace {
// Writes the numbers of one list, each followed by one blank.
WideString JoinNumbers(const std::vector<double>& values) {
    AnsiString text;
    for (double v : values) {
        text += FormatSignificant(v);
        text += ' ';
    }
    return WidenBytes(text);
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Length of the longest valid number at text[pos...], 0 when none starts there.
std::size_t NumberLength(const WideString& text, std::size_t pos) {
    std::size_t i = pos;
    const std::size_t n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) ++j;
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i - pos;
}

double ToDouble(const WideString& text, std::size_t pos, std::size_t len) {
    // The number is plain ASCII by construction; from_chars knows no leading '+'.
    std::string ascii;
    ascii.reserve(len);
    for (std::size_t k = 0; k < len; ++k) ascii.push_back(static_cast<char>(text[pos + k]));
    bool negative = false;
    std::size_t start = 0;
    if (!ascii.empty() && (ascii[0] == '+' || ascii[0] == '-')) {
        negative = ascii[0] == '-';
        start = 1;
    }
    double value = 0.0;
    const char* first = ascii.data() + start;
    const char* last = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large (or too small) for a double: kept as a position that the loader drops when large.
        std::size_t e = ascii.find_first_of("eE");
        const bool tiny = e != std::string::npos && e + 1 < ascii.size() && ascii[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        value = std::nan("");
    }
    return negative ? -value : value;
}

AnsiString FormatFixed(double value, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    AnsiString s(buf, r.ptr);
    if (s.find('.') != AnsiString::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
}

AnsiString FormatExponent(double value, int precision) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
    AnsiString s(buf, r.ptr);
    const std::size_t e = s.find('e');
    if (e == AnsiString::npos) return s;
    AnsiString mantissa = s.substr(0, e);
    AnsiString exponent = s.substr(e + 1);
    AnsiString sign;
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
        if (exponent[0] == '-') sign = "-";
        exponent.erase(0, 1);
    }
    while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
    return mantissa + "E" + sign + exponent;
}
}  // namespace

WideString TKelvoMemoryProfileStore::ReadString(const WideString& section, const WideString& key) {
    const auto it = Values.find({section, key});
    return it == Values.end() ? WideString() : it->second;
}

bool TKelvoMemoryProfileStore::WriteString(const WideString& section, const WideString& key, const WideString& value) {
    if (ReadOnly) return false;
    Values[{section, key}] = value;
    return true;
}

AnsiString FormatSignificant(double value) {
    if (value == 0.0 || !std::isfinite(value)) return "0";
    const double magnitude = std::fabs(value);
    if (magnitude >= 0.0001 && magnitude <= 999999.9) {
        int decimals = 4;
        if (magnitude >= 1.0) decimals = 4 - static_cast<int>(std::trunc(std::log10(magnitude)));
        if (decimals < 0) decimals = 0;
        return FormatFixed(value, decimals);
    }
    AnsiString text;
    for (int precision = 6; precision >= 1; --precision) {
        text = FormatExponent(value, precision);
        const std::size_t length = text.size() - (text[0] == '-' ? 1 : 0);
        if (length <= 6) break;
    }
    return text;
}

std::vector<double> ParseNumberList(const WideString& fullText) {
    const WideString text = fullText.substr(0, LensProfileValueLimit);
    std::vector<double> numbers;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t len = NumberLength(text, pos);
        if (len == 0) {
            ++pos;  // cannot start a number: dropped
            continue;
        }
        numbers.push_back(ToDouble(text, pos, len));
        pos += len;
        while (pos < text.size() && text[pos] == u' ') ++pos;
    }
    return numbers;
}

WideString SanitizeProfileName(const WideString& name) {
    WideString out;
    out.reserve(name.size());
    for (char16_t c : name) {
        if (c < 0x20 || c == 0x7F) continue;
        if (c == u']' || c == u'[' || c == u'=') c = u'_';
        out.push_back(c);
    }
    if (!out.empty() && out[0] == u';') out[0] = u'_';
    return out;
}

WideString TKelvoLensProfile::Section() const { return SanitizeProfileName(make_); }
WideString TKelvoLensProfile::FocalLengthKey() const { return SanitizeProfileName(model_) + u" FL"; }
WideString TKelvoLensProfile::DistortionKey() const { return SanitizeProfileName(model_) + u" KD"; }

bool TKelvoLensProfile::CameraChanged(const WideString& make, const WideString& model) const {
    return make != make_ || model != model_;
}

void TKelvoLensProfile::Load(IKelvoProfileStore& store, const WideString& make, const WideString& model) {
    entries_.clear();
    make_ = make;
    model_ = model;
    if (make.empty() || model.empty()) return;
    const std::vector<double> fl = ParseNumberList(store.ReadString(Section(), FocalLengthKey()));
    const std::vector<double> kd = ParseNumberList(store.ReadString(Section(), DistortionKey()));
    // The i-th number of either list belongs to entry i: a list shorter than the other leaves 0 in the
    // entries it does not reach, as the table grows for whichever list is longer.
    const std::size_t count = std::max(fl.size(), kd.size());
    for (std::size_t i = 0; i < count; ++i) {
        const TLensProfileEntry entry{i < fl.size() ? fl[i] : 0.0, i < kd.size() ? kd[i] : 0.0};
        if (std::isfinite(entry.FocalLength) && std::isfinite(entry.Distortion)) entries_.push_back(entry);
    }
    // A file edited by hand may hold its focal lengths out of order or twice; the look-up needs them
    // ascending and distinct, so the table is sorted and only the first of equal focal lengths is kept.
    std::stable_sort(entries_.begin(), entries_.end(), [](const TLensProfileEntry& a, const TLensProfileEntry& b) {
        return a.FocalLength < b.FocalLength;
    });
    entries_.erase(std::unique(entries_.begin(), entries_.end(),
                               [](const TLensProfileEntry& a, const TLensProfileEntry& b) {
                                   return a.FocalLength == b.FocalLength;
                               }),
                   entries_.end());
}

std::optional<double> TKelvoLensProfile::AutomaticValue(double f) const {
    const std::size_t n = entries_.size();
    if (n == 0 || !std::isfinite(f)) return std::nullopt;
    if (n == 1) {
        if (entries_[0].FocalLength == f) return entries_[0].Distortion;
        return std::nullopt;
    }
    std::size_t i = n - 1;
    for (std::size_t j = 1; j < n; ++j) {
        if (entries_[j].FocalLength >= f) {
            i = j;
            break;
        }
    }
    const TLensProfileEntry& a = entries_[i - 1];
    const TLensProfileEntry& b = entries_[i];
    const double span = b.FocalLength - a.FocalLength;
    if (span == 0.0) return std::nullopt;
    double value = a.Distortion + (f - a.FocalLength) * (b.Distortion - a.Distortion) / span;
    if (!std::isfinite(value)) {
        // Extreme values of a hand-edited file overflow on the way; the same line taken another way.
        if (f == a.FocalLength) return a.Distortion;
        if (f == b.FocalLength) return b.Distortion;
        const double t = (f - a.FocalLength) / span;
        value = (1.0 - t) * a.Distortion + t * b.Distortion;
        if (!std::isfinite(value)) return std::nullopt;
    }
    return value;
}

TLensLearnResult TKelvoLensProfile::Learn(IKelvoProfileStore& store, double f, double value) {
    if (make_.empty() || model_.empty() || f == 0.0 || !std::isfinite(f) || !std::isfinite(value))
        return TLensLearnResult::Skipped;
    auto it =
        std::find_if(entries_.begin(), entries_.end(), [f](const TLensProfileEntry& e) { return e.FocalLength == f; });
    if (it == entries_.end()) {
        it = std::find_if(entries_.begin(), entries_.end(),
                          [f](const TLensProfileEntry& e) { return e.FocalLength > f; });
        it = entries_.insert(it, TLensProfileEntry{f, value});
    }
    it->Distortion = value;
    std::vector<double> fl;
    std::vector<double> kd;
    for (const auto& e : entries_) {
        fl.push_back(e.FocalLength);
        kd.push_back(e.Distortion);
    }
    const bool flSaved = store.WriteString(Section(), FocalLengthKey(), JoinNumbers(fl));
    const bool kdSaved = store.WriteString(Section(), DistortionKey(), JoinNumbers(kd));
    return flSaved && kdSaved ? TLensLearnResult::Saved : TLensLearnResult::NotSaved;
}

WideString LensProfileFileName(const WideString& programPath) { return uni::ReplaceFileExtW(programPath, u".dis"); }

WideString CameraText(const AnsiString& bytes) {
    std::string_view text = bytes;
    if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    return WidenBytes(text);
}

std::optional<double> FocalLengthFromRational(const Byte* data, std::size_t size) {
    if (data == nullptr || size < 8) return std::nullopt;
    auto u32 = [](const Byte* p) {
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    };
    const std::uint32_t numerator = u32(data);
    const std::uint32_t denominator = u32(data + 4);
    if (denominator == 0) return std::nullopt;
    return static_cast<double>(numerator) / static_cast<double>(denominator);
}

double LensCoefficient(int mode, int manualValue, std::optional<double> automaticValue) {
    if (mode == DistortionManual) return -manualValue / 1000.0;
    if (mode == DistortionAutomatic && automaticValue) return -*automaticValue / 1000.0;
    return 0.0;
}
