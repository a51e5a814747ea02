#include <gtest/gtest.h>

#include "app/core/TKelvoFileFormats.h"

namespace {

class TwoFormats : public TKelvoFileFormats {
public:
    using TKelvoFileFormats::TKelvoFileFormats;
    std::int32_t GetCount() const override { return 2; }
    const TKelvoFileFormat* GetFormat(std::int32_t index) const override {
        return index >= 0 && index < 2 ? &rows_[index] : nullptr;
    }

private:
    TKelvoFileFormat rows_[2] = {{7, u"A", u"*.a", u".a"}, {9, u"B", u"*.b;*.bb", u".b"}};
};

std::u16string Translated(std::int32_t id, const std::u16string& fallback) {
    if (id == KelvoTextAllSupported) return u"Alle | unterstützten";
    return u"<" + fallback + u">";
}

}  // namespace

TEST(FileFormats, OpenListAddsAllSupportedAndAllFiles) {
    TwoFormats formats;
    const TKelvoFileFormatArray open = formats.GetOpenFormats();
    ASSERT_EQ(open.size(), 4u);
    EXPECT_EQ(open[2].Id, 0);
    EXPECT_EQ(open[3].Id, 0);
    EXPECT_EQ(BuildFilterString(open),
              u"A (*.a)|*.a|B (*.b;*.bb)|*.b;*.bb|All supported formats (*.a;*.b;*.bb)|*.a;*.b;*.bb|"
              u"All files (*.*)|*.*");
    EXPECT_EQ(BuildFilterString(formats.GetFormats()), u"A (*.a)|*.a|B (*.b;*.bb)|*.b;*.bb");
    EXPECT_EQ(BuildFilterString({}), u"");
}

TEST(FileFormats, TextsComeFromTheSourceAndCannotSplitTheFilter) {
    TwoFormats formats(&Translated);
    const TKelvoFileFormatArray open = formats.GetOpenFormats();
    EXPECT_EQ(open[3].Description, u"<All files>");
    // The "|" of a translation would make the dialog read two wrong entries.
    EXPECT_EQ(BuildFilterString({open[2]}), u"Alle   unterstützten (*.a;*.b;*.bb)|*.a;*.b;*.bb");
}

TEST(FileFormats, LookUpByIdFindsTheFirstMatch) {
    TwoFormats formats;
    EXPECT_EQ(formats.IndexOfId(9), 1);
    EXPECT_EQ(formats.IndexOfId(8), -1);
    const TKelvoFileFormatArray open = formats.GetOpenFormats();
    EXPECT_EQ(IndexOfFileFormat(open, 0), 2);  // the added records carry id 0
    EXPECT_EQ(IndexOfFileFormat(open, 7), 0);
    EXPECT_EQ(IndexOfFileFormat({}, 7), -1);
}
