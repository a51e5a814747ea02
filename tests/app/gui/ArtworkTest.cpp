// The pictures the program loads by name are in its resources in the form their loaders expect: 24 x 24 at
// 24 bits with the transparent key colour at pixel (0, 0), each with its greyed twin; the shared strip of ten;
// the single pixel; the hand cursor; the icon; the about picture as PNG.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

struct Picture {
    int width = 0, height = 0, bits = 0;
    COLORREF corner = 0;
};

bool LoadPicture(const std::string& name, Picture& picture) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    picture.bits = info.bmBitsPixel;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    picture.corner = ::GetPixel(dc, 0, 0);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
    return true;
}

}  // namespace

TEST(Artwork, EveryPictureLoadedByNameIsA24BitSquareOf24KeyedAtItsCorner) {
    const char* names[] = {"Undo",    "Redo",       "PrevImage", "NextImage",       "ZoomIn",
                           "ZoomOut", "ActualSize", "BestFit",   "PERSPECTIVETOOL", "PERSP4TOOL",
                           "CROP",    "CONTRAST",   "TEXT",      "RESIZE",          "RIGHT"};
    for (const char* name : names) {
        for (const std::string& variant : {std::string(name), std::string(name) + "Disabled"}) {
            Picture p;
            ASSERT_TRUE(LoadPicture(variant, p)) << variant;
            EXPECT_EQ(p.width, 24) << variant;
            EXPECT_EQ(p.height, 24) << variant;
            EXPECT_EQ(p.bits, 24) << variant;
            EXPECT_EQ(p.corner, RGB(255, 0, 255)) << variant;
        }
    }
}

TEST(Artwork, TheSharedStripTheSinglePixelTheCursorTheIconAndTheAboutPicture) {
    Picture strip;
    ASSERT_TRUE(LoadPicture("NewImageList", strip));
    EXPECT_EQ(strip.width, 240);
    EXPECT_EQ(strip.height, 24);
    EXPECT_EQ(strip.corner, RGB(255, 0, 255));
    Picture pixel;
    ASSERT_TRUE(LoadPicture("ImageList1x1", pixel));
    EXPECT_EQ(pixel.width, 1);
    EXPECT_EQ(pixel.corner, RGB(255, 0, 255));

    HCURSOR hand = ::LoadCursorW(::GetModuleHandleW(nullptr), L"Hand");
    ASSERT_TRUE(hand);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 16u);
    EXPECT_EQ(info.yHotspot, 16u);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);

    EXPECT_TRUE(::LoadIconA(::GetModuleHandleW(nullptr), "MAINICON"));

    HRSRC about = ::FindResourceW(nullptr, L"About", MAKEINTRESOURCEW(10));
    ASSERT_TRUE(about);
    const void* data = ::LockResource(::LoadResource(nullptr, about));
    ASSERT_GT(::SizeofResource(nullptr, about), 8u);
    EXPECT_EQ(std::memcmp(data, "\x89PNG\r\n\x1a\n", 8), 0);
}
