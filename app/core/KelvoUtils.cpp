#include "app/core/KelvoUtils.h"

#include "classlib/core/Checked.h"
#include "classlib/core/Exceptions.h"

std::int32_t MakeLong(std::int32_t low, std::int32_t high) {
    return std::int32_t((std::uint32_t(high) << 16) | (std::uint32_t(low) & 0xFFFF));
}

TKelvoPoint MakePoint(std::int32_t x, std::int32_t y) { return TKelvoPoint{x, y}; }

namespace {

template <class S>
S NameWithoutExt(const S& path) {
    std::size_t start = 0;
    for (std::size_t i = path.size(); i > 0; --i) {
        const auto c = path[i - 1];
        if (c == '\\' || c == '/' || c == ':') {
            start = i;
            break;
        }
    }
    S name = path.substr(start);
    const std::size_t dot = name.rfind(typename S::value_type('.'));
    if (dot != S::npos) name.erase(dot);
    return name;
}

// a.Width() and friends in checked int32 arithmetic.
std::int32_t Width(const TKelvoRect& r) { return CheckedSub(r.Right, r.Left); }
std::int32_t Height(const TKelvoRect& r) { return CheckedSub(r.Bottom, r.Top); }

}  // namespace

AnsiString ExtractFileNameWithoutExt(const AnsiString& path) { return NameWithoutExt(path); }
WideString ExtractFileNameWithoutExt(const WideString& path) { return NameWithoutExt(path); }

int CompareRectInside(const TKelvoRect& a, const TKelvoRect& b) {
    const bool overlap = a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
    if (!overlap) return 0;
    if (a.Left >= b.Left && a.Right <= b.Right && a.Top >= b.Top && a.Bottom <= b.Bottom) return 2;
    return 1;
}

TKelvoRect InflateRectBy(const TKelvoRect& rect, std::int32_t dx, std::int32_t dy) {
    return TKelvoRect{CheckedSub(rect.Left, dx), CheckedSub(rect.Top, dy), CheckedAdd(rect.Right, dx),
                      CheckedAdd(rect.Bottom, dy)};
}

std::int32_t MulDivFloor(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) throw EDivByZero("Division by zero");
    const std::int32_t p = CheckedMul(a, b);
    std::int64_t q = std::int64_t(p) / c;
    if (std::int64_t(p) % c != 0 && ((p < 0) != (c < 0))) --q;
    return CheckedCast<std::int32_t>(q);
}

TKelvoRect FitAspectRect(const TKelvoRect& source, const TKelvoRect& destination) {
    std::int32_t sw = Width(source), sh = Height(source);
    if (sw == 0) sw = 1;
    if (sh == 0) sh = 1;
    const std::int32_t dw = Width(destination), dh = Height(destination);
    TKelvoRect r = destination;
    // dh / sh > dw / sw, compared exactly by cross-multiplying in 64 bits.
    if (std::int64_t(dh) * sw > std::int64_t(dw) * sh) {
        const std::int32_t h = MulDivFloor(sh, dw, sw);
        r.Top = CheckedAdd(destination.Top, CheckedSub(dh, h) / 2);
        r.Bottom = CheckedAdd(r.Top, h);
    } else {
        const std::int32_t w = MulDivFloor(sw, dh, sh);
        r.Left = CheckedAdd(destination.Left, CheckedSub(dw, w) / 2);
        r.Right = CheckedAdd(r.Left, w);
    }
    return r;
}

TKelvoRect CenterRect(const TKelvoRect& inner, const TKelvoRect& outer) {
    const std::int32_t w = Width(inner), h = Height(inner);
    const std::int32_t left = CheckedSub(CheckedAdd(outer.Left, outer.Right) / 2, w / 2);
    const std::int32_t top = CheckedSub(CheckedAdd(outer.Top, outer.Bottom) / 2, h / 2);
    return TKelvoRect{left, top, CheckedAdd(left, w), CheckedAdd(top, h)};
}
