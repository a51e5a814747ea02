#include "themed/core/EditTyping.h"

namespace skin {

bool IsPrintableKey(unsigned vk) {
    return vk == 0x20 || (vk >= 0x30 && vk <= 0x5A) || (vk >= 0x60 && vk <= 0x6F) || (vk >= 0xBA && vk <= 0xF5);
}

void TTypedKeys::KeyDown(unsigned vk) {
    if (IsPrintableKey(vk)) down_.set(vk);
}

void TTypedKeys::KeyUp(unsigned vk) {
    if (IsPrintableKey(vk)) down_.reset(vk);
}

TTextSelection CompletionSelection(const std::u16string& typed, const std::u16string& completed) {
    return {static_cast<int>(typed.size()), static_cast<int>(completed.size())};
}

}  // namespace skin
