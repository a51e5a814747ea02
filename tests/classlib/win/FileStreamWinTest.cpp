// The shared file cases against the Win32 backend, plus what only Windows has: sharing modes.
#include "classlib/core/FileCases.inc"

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
