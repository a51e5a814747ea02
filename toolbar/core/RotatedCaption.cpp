#include "toolbar/core/RotatedCaption.h"

namespace tb {

namespace {

TRotatedCaption TakeOutPrefixes(std::u16string_view caption) {
    TRotatedCaption out;
    out.text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            ++i;
            if (i >= caption.size()) break;
            if (caption[i] != u'&') out.accelIndex = static_cast<int>(out.text.size());
        }
        out.text += caption[i];
    }
    return out;
}

void ShortenWithEllipsis(TRotatedCaption& caption, int height, const TTextWidthFn& widthOf) {
    static const WideString kEllipsis = u"...";
    WideString& text = caption.text;
    if (height < 3) {
        text.resize(1);
    } else {
        while (text.size() > 1 && widthOf(text + kEllipsis) > height) text.pop_back();
    }
    if (caption.accelIndex >= static_cast<int>(text.size())) caption.accelIndex = -1;
    text += kEllipsis;
}

}  // namespace

TRotatedCaption LayoutRotatedCaption(std::u16string_view caption, std::uint32_t format, int height,
                                     const TTextWidthFn& widthOf) {
    TRotatedCaption out;
    if (format & kDtNoPrefix) {
        out.text = WideString(caption);
    } else {
        out = TakeOutPrefixes(caption);
    }
    if ((format & kDtEndEllipsis) && out.text.size() > 1 && widthOf(out.text) > height)
        ShortenWithEllipsis(out, height, widthOf);
    return out;
}

}  // namespace tb
