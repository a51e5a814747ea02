#include "classlib/core/TShortCut.h"

#include <string>

#include "classlib/core/ShortCutModifiers.h"
#include "classlib/core/StringUtils.h"

namespace {
TKeyNameLookup g_lookup = &DefaultKeyName;

struct NamedKey {
    std::uint16_t key;
    const char* name;
};
// Virtual-key codes of the keys the class library names itself.
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

// The numeric pad's keys that are not digits, named by the class library as its other keys are: the system's
// names differ between platforms.
constexpr NamedKey kPadKeys[] = {
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6D, "Num -"}, {0x6E, "Num Del"}, {0x6F, "Num /"},
};

}  // namespace

void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = TShiftState();
    if (shortCut & scShift) shift.Include(ssShift);
    if (shortCut & scCtrl) shift.Include(ssCtrl);
    if (shortCut & scAlt) shift.Include(ssAlt);
}

AnsiString NamedKeyText(std::uint16_t key) {
    for (const NamedKey& k : kNamedKeys)
        if (k.key == key) return k.name;
    return AnsiString();
}

AnsiString DefaultKeyName(std::uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return AnsiString(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
    if (key >= 0x60 && key <= 0x69) return "Num " + std::to_string(key - 0x60);
    for (const NamedKey& k : kPadKeys)
        if (k.key == key) return k.name;
    return AnsiString();
}

void SetKeyNameLookup(TKeyNameLookup lookup) { g_lookup = lookup ? lookup : &DefaultKeyName; }

TKeyNameLookup GetKeyNameLookup() { return g_lookup; }

AnsiString ShortCutToText(TShortCut shortCut) {
    std::uint16_t key = shortCut & 0xFF;
    AnsiString name = NamedKeyText(key);
    if (name.empty()) name = g_lookup(key);
    if (name.empty()) return AnsiString();
    return ShortCutModifiersText(shortCut) + name;
}

TShortCut TextToShortCut(const AnsiString& text) {
    TShortCut modifiers = 0;
    std::string_view rest = text;
    for (;;) {
        auto take = [&](const AnsiString& prefix, TShortCut bit) {
            std::string_view p = prefix;
            if (!p.empty() && rest.size() > p.size() && SameTextAscii(rest.substr(0, p.size()), p)) {
                modifiers |= bit;
                rest.remove_prefix(p.size());
                return true;
            }
            return false;
        };
        // Typed or stored texts in English are read back in every language.
        if (!take(ShortCutModifierName(scShift), scShift) && !take(ShortCutModifierName(scCtrl), scCtrl) &&
            !take(ShortCutModifierName(scAlt), scAlt) && !take("Shift+", scShift) && !take("Ctrl+", scCtrl) &&
            !take("Alt+", scAlt))
            break;
    }
    if (rest.empty()) return 0;
    for (std::uint16_t key = 1; key <= 0xFF; ++key) {
        AnsiString name = NamedKeyText(key);
        if (name.empty()) name = g_lookup(key);
        if (!name.empty() && SameTextAscii(name, rest)) return static_cast<TShortCut>(modifiers | key);
    }
    return 0;
}
