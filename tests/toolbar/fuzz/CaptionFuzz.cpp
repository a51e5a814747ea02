// Captions and hints come from language files and file names: feeds arbitrary UTF-16 units to the caption
// helpers and checks what they promise.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "toolbar/core/Captions.h"
#include "toolbar/core/MenuSettings.h"
#include "toolbar/core/RotatedCaption.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int height = data[0];
    const std::uint32_t format = (data[1] & 1 ? tb::kDtNoPrefix : 0) | (data[1] & 2 ? tb::kDtEndEllipsis : 0);
    WideString text((size - 2) / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), data + 2, text.size() * 2);

    // Escaping then stripping gives the text back; a stripped text is never longer.
    if (tb::StripAccelChars(tb::EscapeAmpersandsW(text)) != text) std::abort();
    if (tb::StripAccelChars(text).size() > text.size()) std::abort();
    if (tb::FindAccelChar(tb::EscapeAmpersandsW(text)) != 0) std::abort();
    const char16_t accel = tb::FindAccelChar(text);
    if (accel >= 0xD800 && accel <= 0xDFFF) std::abort();

    const tb::TRotatedCaption shown =
        tb::LayoutRotatedCaption(text, format, height, [](const WideString& t) { return int(t.size()) * 7; });
    if (shown.accelIndex >= int(shown.text.size())) std::abort();
    if (!(format & tb::kDtNoPrefix) && shown.accelIndex >= 0 && shown.text[std::size_t(shown.accelIndex)] != accel &&
        accel != 0)
        std::abort();

    const AnsiString ansi(reinterpret_cast<const char*>(data + 2), size - 2);
    if (tb::StripAccelChars(ansi, [](unsigned char b) { return b >= 0x81 && b <= 0x9F; }).size() > ansi.size())
        std::abort();
    tb::WideToEscapedAnsi(text, 1252);
    const int delay = tb::MenuShowDelayFromRegistry(true, true, ansi);
    if (delay < 0) std::abort();
    (void)tb::GetLongHintW(text);
    (void)tb::StripTrailingPunctuationW(text);
    return 0;
}
