// Files, folders, folder searches and the program's command line.
// Names are given in the system's own form: host paths natively, Windows paths in the product.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Owned.h"
#include "classlib/core/Types.h"

CLASSLIB_DECLARE_EXCEPTION(EInOutError, Exception);

// File attributes as the folder search reports them.
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;

namespace classlib::fileio {
struct FindState;
// Ends the search and frees its state.
void FreeFindState(FindState* state);
}  // namespace classlib::fileio

// One found entry of a folder search. Entries come in the file system's order; callers that need a
// stable order sort them. The record owns the open search and ends it when destroyed.
struct TSearchRec {
    std::int32_t Time = 0;  // last write time, local, packed as DOS date (high word) and time (low word)
    std::int64_t Size = 0;
    int Attr = 0;
    AnsiString Name;
    int ExcludeAttr = 0;
    TOwned<classlib::fileio::FindState, classlib::fileio::FreeFindState> FindHandle;
};

// True for an existing file that is not a folder.
bool FileExists(const AnsiString& fileName);
bool DirectoryExists(const AnsiString& dirName);
// Creates the folder and every missing parent; true when the folder exists afterwards.
// An empty name raises EInOutError "Unable to create directory".
bool ForceDirectories(const AnsiString& dirName);
bool CreateDir(const AnsiString& dirName);
bool RemoveDir(const AnsiString& dirName);
bool DeleteFile(const AnsiString& fileName);
bool RenameFile(const AnsiString& oldName, const AnsiString& newName);

// Starts a search for path (a folder part and a mask with '*' and '?'). attr names the special
// attributes wanted besides normal files: faDirectory, faHidden, faSysFile, faVolumeID (faAnyFile for
// all). Returns 0 and fills rec with the first match, or a system error code when nothing matches.
int FindFirst(const AnsiString& path, int attr, TSearchRec& rec);
// Moves rec to the next match: 0, or a system error code at the end.
int FindNext(TSearchRec& rec);
// Ends the search early (also done by the record's destructor).
void FindClose(TSearchRec& rec);

// Command line: ParamStr(0) is the program's file name, 1..ParamCount() the arguments; an index
// outside that range gives an empty string.
int ParamCount();
AnsiString ParamStr(int index);
// The system's text for an error code.
AnsiString SysErrorMessage(std::uint32_t errorCode);

namespace classlib {

// Splits a command line into its arguments: blanks and control characters separate them, double
// quotes group blanks into one argument and are removed ("a"b" c" gives ab c).
std::vector<AnsiString> SplitCommandLine(const AnsiString& commandLine);
// True when name matches mask, '*' standing for any run of characters and '?' for one; ASCII letters
// match regardless of case, as the product's file system does.
bool MatchesMask(const AnsiString& name, const AnsiString& mask);
// The attributes a search started with attr leaves out (hidden, system, volume and folder entries
// not asked for).
inline int SearchExcludeAttr(int attr) { return ~attr & (faHidden | faSysFile | faVolumeID | faDirectory); }

}  // namespace classlib

namespace classlib::fileio {
// The system side of the functions above, one implementation per system.
bool SysFileExists(const AnsiString& name);
bool SysDirectoryExists(const AnsiString& name);
bool SysCreateDir(const AnsiString& name);
bool SysRemoveDir(const AnsiString& name);
bool SysDeleteFile(const AnsiString& name);
bool SysRenameFile(const AnsiString& oldName, const AnsiString& newName);
// Opens the search and fills rec with the first entry of any attribute; 0 or an error code.
int SysFindFirst(const AnsiString& path, TSearchRec& rec);
int SysFindNext(TSearchRec& rec);
std::vector<AnsiString> SysCommandLine();  // program name first
}  // namespace classlib::fileio
