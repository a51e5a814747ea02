// Colours: 0x00BBGGRR for an RGB value, 0xFF0000nn (negative as int32) for the system colour with index nn,
// clNone (0x1FFFFFFF) for "no colour" and clDefault (0x20000000) for "the default of the context".
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"

using TColor = std::int32_t;

constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index & 0xFF));
}

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A4;

constexpr std::uint8_t GetRValue(std::uint32_t rgb) { return static_cast<std::uint8_t>(rgb); }
constexpr std::uint8_t GetGValue(std::uint32_t rgb) { return static_cast<std::uint8_t>(rgb >> 8); }
constexpr std::uint8_t GetBValue(std::uint32_t rgb) { return static_cast<std::uint8_t>(rgb >> 16); }
constexpr std::int32_t RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::int32_t>(r | (g << 8) | (b << 16));
}

// The RGB value of a colour: a system colour is looked up, any other value is returned unchanged.
std::int32_t ColorToRGB(TColor color);

// Where system colours come from. The Windows build installs the system's own; the default is a fixed
// table of the classic Windows scheme.
using TSysColorLookup = std::uint32_t (*)(int index);
void SetSysColorLookup(TSysColorLookup lookup);
TSysColorLookup GetSysColorLookup();
std::uint32_t DefaultSysColor(int index);
