#include <gtest/gtest.h>

#include <vector>

#include "scan/core/TwnNegotiation.h"

using namespace twn;

TEST(TwnNegotiation, FileFormatAgreedTakenFromTheSourceOrGivenUp) {
    std::vector<TTwnFileFmt> asked;
    // The source takes what it is given.
    EXPECT_EQ(NegotiateFileFormat(TWFF_BMP, FileFmtBit(TWFF_BMP), [&](TTwnFileFmt f) { return f; }), TWFF_BMP);
    // The source prefers PNG, which the program also takes.
    EXPECT_EQ(NegotiateFileFormat(TWFF_BMP, FileFmtBit(TWFF_BMP) | FileFmtBit(TWFF_PNG),
                                  [](TTwnFileFmt) { return TWFF_PNG; }),
              TWFF_PNG);
    // The source keeps TIFF whatever it is asked; the program asks BMP, then TIFF (the lowest candidate left).
    asked.clear();
    EXPECT_EQ(NegotiateFileFormat(TWFF_BMP, FileFmtBit(TWFF_TIFF) | FileFmtBit(TWFF_BMP) | FileFmtBit(TWFF_JFIF),
                                  [&](TTwnFileFmt f) {
                                      asked.push_back(f);
                                      return f == TWFF_JFIF ? TWFF_JFIF : TWFF_FPX;
                                  }),
              TWFF_JFIF);
    EXPECT_EQ(asked, (std::vector<TTwnFileFmt>{TWFF_BMP, TWFF_TIFF, TWFF_JFIF}));
    // A source that answers PICT, which the settings refuse, and then nothing readable: no format.
    EXPECT_EQ(NegotiateFileFormat(TWFF_BMP, FileFmtBit(TWFF_PICT), [](TTwnFileFmt) { return TWFF_PICT; }),
              kTwnNoFileFormat);
}

TEST(TwnNegotiation, ASourceRefusingEveryFormatEndsTheLoopWithinItsBound) {
    int rounds = 0;
    // Every format from 0 to 15 a candidate; the source answers some other format every time.
    const TTwnFileFmt result = NegotiateFileFormat(TWFF_BMP, TTwnFileFmts(0xFFFF), [&](TTwnFileFmt f) {
        ++rounds;
        return TTwnFileFmt(200 + f);
    });
    EXPECT_EQ(result, kTwnNoFileFormat);
    EXPECT_LE(rounds, kMaxFormatRounds);
    EXPECT_GE(rounds, 6);  // BMP and each of 0, 4, 5, 6, 7 were asked
    rounds = 0;
    EXPECT_EQ(NegotiateFileFormat(TWFF_BMP, 0, [&](TTwnFileFmt) { return ++rounds, kTwnNoFileFormat; }),
              kTwnNoFileFormat);
    EXPECT_EQ(rounds, 1);
}
