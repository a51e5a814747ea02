#include "app/core/KelvoDocumentRules.h"

#include <algorithm>
#include <cmath>

#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TGUID.h"
#include "unicode/core/WidePaths.h"

namespace {

constexpr TGUID EditorKey = TGUID::Parse("{C0F4C248-34D7-4014-8116-24BEE9AB5C30}");
constexpr std::uint32_t EditorNodeId = 1;
constexpr std::uint32_t RecentNodeId = 1;

// Rectangles are built from 64-bit sums: the results stay inside the image, whose sides fit an int32.
TKelvoRect Area(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    return TKelvoRect{std::int32_t(l), std::int32_t(t), std::int32_t(r), std::int32_t(b)};
}

// a / b rounded down and up, for b > 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

}  // namespace

TKelvoRect RotateAreaLeft(const TKelvoRect& a, std::int32_t width) {
    if (a.IsEmpty()) return a;
    return Area(a.Top, std::int64_t(width) - a.Right, a.Bottom, std::int64_t(width) - a.Left);
}

TKelvoRect RotateAreaRight(const TKelvoRect& a, std::int32_t height) {
    if (a.IsEmpty()) return a;
    return Area(std::int64_t(height) - a.Bottom, a.Left, std::int64_t(height) - a.Top, a.Right);
}

TKelvoRect FlipAreaHorizontal(const TKelvoRect& a, std::int32_t width) {
    if (a.IsEmpty()) return a;
    return Area(std::int64_t(width) - a.Right, a.Top, std::int64_t(width) - a.Left, a.Bottom);
}

TKelvoRect FlipAreaVertical(const TKelvoRect& a, std::int32_t height) {
    if (a.IsEmpty()) return a;
    return Area(a.Left, std::int64_t(height) - a.Bottom, a.Right, std::int64_t(height) - a.Top);
}

TKelvoRect ScaleArea(const TKelvoRect& a, std::int32_t w, std::int32_t h, std::int32_t newWidth,
                     std::int32_t newHeight) {
    if (a.IsEmpty() || w <= 0 || h <= 0) return a;
    return Area(CeilDiv(std::int64_t(a.Left) * newWidth, w), CeilDiv(std::int64_t(a.Top) * newHeight, h),
                FloorDiv(std::int64_t(a.Right) * newWidth, w), FloorDiv(std::int64_t(a.Bottom) * newHeight, h));
}

void ScaledOriginalSize(std::int32_t originalWidth, std::int32_t originalHeight, std::int32_t w, std::int32_t h,
                        std::int32_t newWidth, std::int32_t newHeight, std::int32_t& outWidth,
                        std::int32_t& outHeight) {
    if ((originalWidth == w && originalHeight == h) || w <= 0 || h <= 0) {
        outWidth = newWidth;
        outHeight = newHeight;
        return;
    }
    // The default rounding mode rounds ties to even; the quotients are below 2^31 x 2^31 / 1.
    const double sx = std::nearbyint(double(originalWidth) * newWidth / w);
    const double sy = std::nearbyint(double(originalHeight) * newHeight / h);
    outWidth = std::int32_t(std::clamp(sx, 1.0, 2147483647.0));
    outHeight = std::int32_t(std::clamp(sy, 1.0, 2147483647.0));
}

TKelvoRect NormalizeImageArea(const TKelvoRect& rect, std::int32_t width, std::int32_t height) {
    const TKelvoRect whole{0, 0, width, height};
    const TKelvoRect clipped = IntersectRects(rect, whole);
    if (clipped.IsEmpty() || clipped == whole) return TKelvoRect{};
    return clipped;
}

std::u16string WithoutExtension(const std::u16string& path) { return uni::ReplaceFileExtW(path, u""); }

std::u16string SaveAsFileName(const std::u16string& typed, const std::u16string& defaultExtension) {
    if (SameTextAscii(uni::FileExtOfW(typed), defaultExtension)) return typed;
    return typed + defaultExtension;
}

std::u16string DocumentDisplayName(const std::u16string& fileName, const std::u16string& untitled) {
    return fileName.empty() ? untitled : uni::FileNameOfW(fileName);
}

void AddRecentFileName(std::vector<std::u16string>& list, const std::u16string& name, std::int32_t max) {
    if (name.empty()) return;
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const std::u16string& n) { return SameTextAscii(n, name); });
    if (found != list.end()) list.erase(found);
    list.insert(list.begin(), name);
    if (max >= 0 && list.size() > std::size_t(max)) list.resize(std::size_t(max));
}

std::u16string RecentFileCaption(std::int32_t n, const std::u16string& name) {
    std::u16string caption = u"&";
    caption += WidenBytes(std::to_string(n));
    caption += u' ';
    for (char16_t c : name) {
        caption += c;
        if (c == u'&') caption += u'&';
    }
    return caption;
}

void SaveRecentFiles(TKelvoSDFWriter& writer, const std::vector<std::u16string>& list) {
    writer.BeginNode(EditorNodeId, EditorKey);
    writer.BeginIntNode(RecentNodeId, std::int32_t(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) writer.WriteWideString(std::uint32_t(i + 1), list[i]);
    writer.EndNode();
    writer.EndNode();
}

void LoadRecentFiles(TKelvoSDFReader& reader, std::vector<std::u16string>& list, std::int32_t max) {
    if (!reader.OpenNode(EditorNodeId, EditorKey)) return;
    if (reader.OpenIntNode(RecentNodeId)) {
        std::int32_t count = 0;
        reader.ReadInteger(0, count);
        // A damaged count must not cost billions of look-ups: more names than the list keeps are never read.
        count = std::clamp(count, 0, std::max(max, 0));
        for (std::int32_t id = count; id >= 1; --id) {
            WideString name;
            if (reader.ReadWideString(std::uint32_t(id), name)) AddRecentFileName(list, name, max);
        }
        reader.CloseNode();
    }
    reader.CloseNode();
}
