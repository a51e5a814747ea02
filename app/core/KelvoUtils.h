// Small helpers shared by the framework and the tools. Every integer sum and product here is checked and
// raises EIntOverflow instead of wrapping.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "classlib/core/Types.h"

// (high << 16) | (low & 0xFFFF).
std::int32_t MakeLong(std::int32_t low, std::int32_t high);
TKelvoPoint MakePoint(std::int32_t x, std::int32_t y);

// The file-name part of a path (after the last '\', '/' or ':') without its last "." and what follows.
AnsiString ExtractFileNameWithoutExt(const AnsiString& path);
WideString ExtractFileNameWithoutExt(const WideString& path);

// 0 when a and b do not overlap, 2 when a lies wholly inside b, 1 when they overlap partly.
int CompareRectInside(const TKelvoRect& a, const TKelvoRect& b);
// (left - dx, top - dy, right + dx, bottom + dy).
TKelvoRect InflateRectBy(const TKelvoRect& rect, std::int32_t dx, std::int32_t dy);
// a x b / c rounded towards minus infinity; a zero c raises EDivByZero.
std::int32_t MulDivFloor(std::int32_t a, std::int32_t b, std::int32_t c);
// The largest rectangle of the source's aspect ratio inside destination, centred; a tie fills the height;
// a source side of 0 counts as 1.
TKelvoRect FitAspectRect(const TKelvoRect& source, const TKelvoRect& destination);
// inner moved so that its centre is the centre of outer (division truncates towards zero); size kept.
TKelvoRect CenterRect(const TKelvoRect& inner, const TKelvoRect& outer);
