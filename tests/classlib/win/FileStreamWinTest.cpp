// What only the product's file system has: sharing modes. (The other file cases run in the
// platform-free tests, on both systems.)
#define FILE_CASES_HELPERS_ONLY
#include "tests/classlib/core/FileCases.inc"

TEST(FileStreamWin, SharingModesAreHonoured) {
    using namespace filecases;
    testsupport::TempDir dir;
    const std::string name = dir.File("shared.bin");
    WriteFile(name, "abc");
    {
        TFileStream owner(name, fmOpenReadWrite | fmShareExclusive);
        EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_NO_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone));
        EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
    }
}
