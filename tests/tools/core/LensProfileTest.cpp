#include <gtest/gtest.h>

#include <cmath>

#include "tools/core/TKelvoLensProfile.h"

namespace {
TKelvoLensProfile Loaded(TKelvoMemoryProfileStore& store, const char16_t* fl, const char16_t* kd) {
    store.Values[{u"Canon", u"EOS 5D FL"}] = fl;
    store.Values[{u"Canon", u"EOS 5D KD"}] = kd;
    TKelvoLensProfile p;
    p.Load(store, u"Canon", u"EOS 5D");
    return p;
}

TEST(LensProfileTest, FormatsSixSignificantDigitsWithAPoint) {
    EXPECT_EQ(FormatSignificant(0.0), "0");
    EXPECT_EQ(FormatSignificant(5.8), "5.8");
    EXPECT_EQ(FormatSignificant(-12.0), "-12");
    EXPECT_EQ(FormatSignificant(0.05), "0.05");
    EXPECT_EQ(FormatSignificant(35.0), "35");
    EXPECT_EQ(FormatSignificant(123456.7), "123457");
    EXPECT_EQ(FormatSignificant(1.234567), "1.2346");
    EXPECT_EQ(FormatSignificant(12.345678), "12.346");
    EXPECT_EQ(FormatSignificant(0.00012345), "0.0001");
    EXPECT_EQ(FormatSignificant(-0.333333), "-0.3333");
    EXPECT_EQ(FormatSignificant(1000.0), "1000");
    // Outside 0.0001 .. 999999.9: exponent form, no '+', no leading zeros, at most 6 characters.
    EXPECT_EQ(FormatSignificant(12345678.0), "1.23E7");
    EXPECT_EQ(FormatSignificant(0.00001), "1.0E-5");
    EXPECT_EQ(FormatSignificant(-2.5e-300), "-2E-300");
    EXPECT_EQ(FormatSignificant(std::nan("")), "0");
}

TEST(LensProfileTest, ReadsTheLongestNumbersAndDropsStrayCharacters) {
    EXPECT_EQ(ParseNumberList(u"5.8 x7.1"), (std::vector<double>{5.8, 7.1}));
    EXPECT_EQ(ParseNumberList(u"35 50 85 "), (std::vector<double>{35, 50, 85}));
    EXPECT_EQ(ParseNumberList(u"-1.5 +2 .25 3. 1E-5 1.23E7"), (std::vector<double>{-1.5, 2, 0.25, 3, 1e-5, 1.23e7}));
    EXPECT_EQ(ParseNumberList(u"1e 2- -x3"), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(ParseNumberList(u"1,5"), (std::vector<double>{1, 5}));
    EXPECT_TRUE(ParseNumberList(u"").empty());
    EXPECT_TRUE(ParseNumberList(u"abc").empty());
    const auto huge = ParseNumberList(u"1E999 -1E999 1E-999");
    ASSERT_EQ(huge.size(), 3u);
    EXPECT_TRUE(std::isinf(huge[0]) && huge[0] > 0);
    EXPECT_TRUE(std::isinf(huge[1]) && huge[1] < 0);
    EXPECT_EQ(huge[2], 0.0);
    // Only the first 1000 characters of a value count.
    WideString longText(998, u' ');
    longText += u"12345";
    EXPECT_EQ(ParseNumberList(longText), (std::vector<double>{12}));
    // What the writer writes reads back to the written digits.
    for (double v : {5.8, -12.0, 0.05, 123456.7, 12345678.0, 0.00001, -0.3333}) {
        const AnsiString s = FormatSignificant(v);
        const auto back = ParseNumberList(WideString(s.begin(), s.end()));
        ASSERT_EQ(back.size(), 1u) << s;
        EXPECT_NEAR(back[0], v, std::fabs(v) * 1e-2) << s;
    }
}

TEST(LensProfileTest, InterpolatesAndExtrapolatesThroughNeighbours) {
    TKelvoMemoryProfileStore store;
    TKelvoLensProfile p = Loaded(store, u"10 20 ", u"-10 -20 ");
    EXPECT_EQ(p.AutomaticValue(15), -15.0);
    EXPECT_EQ(p.AutomaticValue(30), -30.0);
    EXPECT_EQ(p.AutomaticValue(5), -5.0);
    EXPECT_EQ(p.AutomaticValue(20), -20.0);

    p = Loaded(store, u"10 20 50", u"1 3 9");
    EXPECT_EQ(p.AutomaticValue(35), 6.0);  // through 20 and 50
    EXPECT_EQ(p.AutomaticValue(60), 11.0);

    p = Loaded(store, u"24", u"7");
    EXPECT_EQ(p.AutomaticValue(24), 7.0);
    EXPECT_FALSE(p.AutomaticValue(24.5));

    p = Loaded(store, u"", u"");
    EXPECT_FALSE(p.AutomaticValue(24));
    TKelvoLensProfile none;
    none.Load(store, u"", u"EOS 5D");
    EXPECT_TRUE(none.Entries().empty());
}

TEST(LensProfileTest, DamagedListsArePairedSortedAndDeduplicated) {
    TKelvoMemoryProfileStore store;
    // Unsorted, a duplicate focal length, a value too large, and a longer KD list: its extra values get
    // focal length 0, and of those only the first is kept.
    TKelvoLensProfile p = Loaded(store, u"50 10 1E999 50 20", u"5 1 7 99 2 8 9");
    EXPECT_EQ(p.Entries(), (std::vector<TLensProfileEntry>{{0, 8}, {10, 1}, {20, 2}, {50, 5}}));
    // No division by a zero focal-length difference anywhere.
    for (double f : {0.0, 10.0, 15.0, 50.0, 80.0}) {
        const auto v = p.AutomaticValue(f);
        ASSERT_TRUE(v.has_value());
        EXPECT_TRUE(std::isfinite(*v));
    }
    // Extreme but finite entries: the interpolation must not overflow into no value.
    p = Loaded(store, u"1 1E301", u"1 1E10");
    EXPECT_EQ(p.AutomaticValue(1E301), 1E10);
    EXPECT_EQ(p.AutomaticValue(1), 1.0);
    ASSERT_TRUE(p.AutomaticValue(5E300).has_value());
    EXPECT_NEAR(*p.AutomaticValue(5E300), 5E9, 1E3);
    p = Loaded(store, u"35 35", u"4 6");
    EXPECT_EQ(p.Entries(), (std::vector<TLensProfileEntry>{{35, 4}}));
    EXPECT_EQ(p.AutomaticValue(35), 4.0);
    EXPECT_FALSE(p.AutomaticValue(50));
}

TEST(LensProfileTest, LongerFocalLengthListGivesEntriesOfDistortionZero) {
    TKelvoMemoryProfileStore store;
    TKelvoLensProfile p = Loaded(store, u"10 20 30", u"4 2");
    EXPECT_EQ(p.Entries(), (std::vector<TLensProfileEntry>{{10, 4}, {20, 2}, {30, 0}}));
    // The automatic value runs through the entry of value 0.
    EXPECT_EQ(p.AutomaticValue(25), 1.0);
    EXPECT_EQ(p.AutomaticValue(40), -2.0);
}

TEST(LensProfileTest, LearningReplacesOrInsertsAndWritesBothLists) {
    TKelvoMemoryProfileStore store;
    TKelvoLensProfile p = Loaded(store, u"", u"");
    EXPECT_EQ(p.Learn(store, 50, -12), TLensLearnResult::Saved);
    EXPECT_EQ(p.Learn(store, 24, 5.8), TLensLearnResult::Saved);
    EXPECT_EQ(p.Learn(store, 35, 3), TLensLearnResult::Saved);
    EXPECT_EQ(p.Learn(store, 35, 4), TLensLearnResult::Saved);  // same focal length: replaced
    EXPECT_EQ(p.Entries(), (std::vector<TLensProfileEntry>{{24, 5.8}, {35, 4}, {50, -12}}));
    EXPECT_EQ(store.ReadString(u"Canon", u"EOS 5D FL"), u"24 35 50 ");
    EXPECT_EQ(store.ReadString(u"Canon", u"EOS 5D KD"), u"5.8 4 -12 ");

    TKelvoLensProfile reread;
    reread.Load(store, u"Canon", u"EOS 5D");
    EXPECT_EQ(reread.Entries(), p.Entries());

    EXPECT_EQ(p.Learn(store, 0, 5), TLensLearnResult::Skipped);
    EXPECT_EQ(p.Learn(store, std::nan(""), 5), TLensLearnResult::Skipped);
    store.ReadOnly = true;
    EXPECT_EQ(p.Learn(store, 85, 1), TLensLearnResult::NotSaved);
    EXPECT_EQ(p.Entries().size(), 4u);

    TKelvoLensProfile nameless;
    nameless.Load(store, u"Canon", u"");
    EXPECT_EQ(nameless.Learn(store, 50, 1), TLensLearnResult::Skipped);
}

TEST(LensProfileTest, CameraNamesCannotBreakTheFile) {
    TKelvoMemoryProfileStore store;
    TKelvoLensProfile p;
    p.Load(store, u"Ma]ke\r\n", u";Mod=el\t1 [x]");
    EXPECT_EQ(p.Section(), u"Ma_ke");
    EXPECT_EQ(p.FocalLengthKey(), u"_Mod_el1 _x_ FL");
    EXPECT_EQ(p.DistortionKey(), u"_Mod_el1 _x_ KD");
    EXPECT_FALSE(p.CameraChanged(u"Ma]ke\r\n", u";Mod=el\t1 [x]"));
    EXPECT_TRUE(p.CameraChanged(u"Ma]ke\r\n", u"other"));
}

TEST(LensProfileTest, CameraPropertiesAndCoefficient) {
    EXPECT_EQ(CameraText(AnsiString("Canon\0", 6)), u"Canon");
    EXPECT_EQ(CameraText(AnsiString("A\0\0", 3)), WideString(u"A\0", 2));  // only one NUL removed
    EXPECT_EQ(CameraText("\xC9"), u"\u00C9");
    const Byte fl[8] = {70, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(FocalLengthFromRational(fl, 8), 35.0);
    EXPECT_FALSE(FocalLengthFromRational(fl, 7));
    const Byte zero[8] = {70, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(FocalLengthFromRational(zero, 8));
    EXPECT_FALSE(FocalLengthFromRational(nullptr, 8));
    const Byte big[8] = {0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0};
    EXPECT_EQ(FocalLengthFromRational(big, 8), 4294967295.0);

    EXPECT_EQ(LensCoefficient(DistortionNone, 40, 3.0), 0.0);
    EXPECT_EQ(LensCoefficient(DistortionManual, 40, 3.0), -0.04);
    EXPECT_EQ(LensCoefficient(DistortionAutomatic, 40, 3.0), -0.003);
    EXPECT_EQ(LensCoefficient(DistortionAutomatic, 40, std::nullopt), 0.0);

    EXPECT_EQ(LensProfileFileName(u"C:\\Program Files\\Vantorel\\Vantorel.exe"),
              u"C:\\Program Files\\Vantorel\\Vantorel.dis");
    EXPECT_EQ(LensProfileFileName(u"C:\\a.b\\Vantorel"), u"C:\\a.b\\Vantorel.dis");
}
}  // namespace
