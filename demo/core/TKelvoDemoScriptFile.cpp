// The file operations of TKelvoDemoScript, kept apart so that programs which only parse scripts in memory do not
// pull in the platform's file backend.
#include "classlib/core/TFileStream.h"
#include "demo/core/TKelvoDemoScript.h"

void TKelvoDemoScript::LoadFromFile(const AnsiString& fileName) {
    fileName_ = fileName;
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TKelvoDemoScript::SaveToFile(const AnsiString& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}
