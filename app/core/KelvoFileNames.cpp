#include "app/core/KelvoFileNames.h"

#include "classlib/core/Paths.h"
#include "unicode/core/WidePaths.h"

AnsiString ExtractFileNameWithoutExt(const AnsiString& path) { return ChangeFileExt(ExtractFileName(path), ""); }

WideString ExtractFileNameWithoutExt(const WideString& path) {
    return uni::ReplaceFileExtW(uni::FileNameOfW(path), WideString());
}
