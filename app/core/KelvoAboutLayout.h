// The about box's content: a table of entries, one text label each, laid over a picture on one or more tabs.
// Positions and sizes are in picture pixels and scaled to the picture as shown; the functions here place the
// labels one after the other, find the host part a link shows and decide which tab shows which label.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Types.h"

// Entry flags.
constexpr std::uint32_t KelvoAboutBold = 1;
constexpr std::uint32_t KelvoAboutSameLine = 2;  // continues the previous label's line
constexpr std::uint32_t KelvoAboutLink = 4;      // opened with the shell when clicked
constexpr std::uint32_t KelvoAboutWordWrap = 8;
constexpr std::uint32_t KelvoAboutRightAligned = 16;
constexpr std::uint32_t KelvoAboutColon = 32;  // ":" appended to the text
constexpr std::uint32_t KelvoAboutWhite = 64;

struct TKelvoAboutEntry {
    const char16_t* Text = nullptr;  // the text as it stands, or nullptr for the localised text TextId
    std::int32_t TextId = 0;
    std::uint32_t Flags = 0;
    // In picture pixels; 0 is automatic (after the previous label, or the size of the text).
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    float Spacing = 1.0f;       // how many lines the label takes in the running text
    std::int32_t TabIndex = 0;  // negative: on every tab
};

// What a link label shows: the host, the characters after the first ":" and the "/", ":" or "\" that follow
// it, up to the next such character. A text without ":" is shown whole.
WideString KelvoAboutLinkHost(const WideString& text);

// The text a label shows for an entry whose own text (or localised text) is text.
WideString KelvoAboutLabelText(const TKelvoAboutEntry& entry, const WideString& text);

// The font's measures, as the first label's font gives them, and the scale (shown width over picture width).
struct TKelvoAboutMetrics {
    int TextHeight = 0;
    int ExternalLeading = 0;
    int AverageCharWidth = 0;
    int ShownWidth = 1;
    int PictureWidth = 1;
};

// Where the next label goes. Width and height 0 leave the label sized by its text.
struct TKelvoAboutPlace {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TKelvoAboutPlace&) const = default;
};

// Places the entries in table order. Each label goes after the previous one on its line (same-line entries:
// the average character width to the right of where the previous label ends), at its own scaled place, or
// at the running text's next line (2 external leadings below it) in the left of the block it continues. A
// label advances the running text by its line height times its spacing, from its own top; one that continues
// a line does not.
class TKelvoAboutLayout {
public:
    explicit TKelvoAboutLayout(const TKelvoAboutMetrics& metrics) : m_(metrics) {}
    // The next entry's place.
    TKelvoAboutPlace Next(const TKelvoAboutEntry& entry);
    // Tells where the label just placed ends (its right edge once it sized itself).
    void Placed(int right) { previousRight_ = right; }

private:
    int Scale(int v) const;

    TKelvoAboutMetrics m_;
    int runningY_ = 0;
    int blockLeft_ = 0;
    int previousRight_ = 0;
    int previousTop_ = 0;
};

// The tabs the entries need, as tab indexes in tab order: 0 first, then every index above 0 in the order the
// table first uses it.
std::vector<std::int32_t> KelvoAboutTabs(const TKelvoAboutEntry* entries, int count);
// Whether a label of that tab index shows while the tab at position selected is chosen.
bool KelvoAboutLabelShows(const std::vector<std::int32_t>& tabs, int selected, std::int32_t tabIndex);
// The text id of a tab index's caption, or 0 when it has none.
std::int32_t KelvoAboutTabTextId(std::int32_t tabIndex);
