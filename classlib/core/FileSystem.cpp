#include "classlib/core/FileSystem.h"

#include "classlib/core/FileBackend.h"
#include "classlib/core/Paths.h"

using namespace classlib;

bool FileExists(const AnsiString& fileName) { return !fileName.empty() && fileio::SysFileExists(fileName); }

bool DirectoryExists(const AnsiString& dirName) { return !dirName.empty() && fileio::SysDirectoryExists(dirName); }

bool CreateDir(const AnsiString& dirName) { return !dirName.empty() && fileio::SysCreateDir(dirName); }

bool RemoveDir(const AnsiString& dirName) { return !dirName.empty() && fileio::SysRemoveDir(dirName); }

bool DeleteFile(const AnsiString& fileName) { return !fileName.empty() && fileio::SysDeleteFile(fileName); }

bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
    return !oldName.empty() && !newName.empty() && fileio::SysRenameFile(oldName, newName);
}

bool ForceDirectories(const AnsiString& dirName) {
    if (dirName.empty()) throw EInOutError("Unable to create directory");
    const AnsiString dir = ExcludeTrailingFolderDelimiters(dirName);
    if (fileio::SysDirectoryExists(dir)) return true;
    const AnsiString parent = ExtractFileDir(dir);
    // A root or a name without a folder part has nothing above it to create.
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return fileio::SysCreateDir(dir) || fileio::SysDirectoryExists(dir);
}

namespace {

// Skips entries whose attributes the search did not ask for.
int SkipExcluded(TSearchRec& rec, int result) {
    while (result == 0 && (rec.Attr & rec.ExcludeAttr) != 0) result = fileio::SysFindNext(rec);
    return result;
}

}  // namespace

int FindFirst(const AnsiString& path, int attr, TSearchRec& rec) {
    FindClose(rec);
    rec.ExcludeAttr = SearchExcludeAttr(attr);
    int result = fileio::SysFindFirst(path, rec);
    result = SkipExcluded(rec, result);
    if (result != 0) FindClose(rec);
    return result;
}

int FindNext(TSearchRec& rec) {
    if (!rec.FindHandle) return -1;
    return SkipExcluded(rec, fileio::SysFindNext(rec));
}

void FindClose(TSearchRec& rec) { rec.FindHandle.reset(); }

int ParamCount() {
    const auto args = fileio::SysCommandLine();
    return args.empty() ? 0 : int(args.size()) - 1;
}

AnsiString ParamStr(int index) {
    const auto args = fileio::SysCommandLine();
    if (index < 0 || std::size_t(index) >= args.size()) return AnsiString();
    return args[std::size_t(index)];
}

AnsiString SysErrorMessage(std::uint32_t errorCode) { return fileio::ErrorText(errorCode); }
