#include "unicode/win/TUniOpenDialog.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/FileDialogText.h"
#include "unicode/core/PairedStrings.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/core/WideProperties.h"
#include "unicode/win/UniControls.h"

namespace {

const wchar_t* OrNull(const WideString& s) { return s.empty() ? nullptr : WideCStr(s); }

// The wide value while it still matches the 8-bit one the library may have changed, else that widened.
WideString Synced(WideString wide, const AnsiString& ansi) { return uni::ReadPairedWideString(wide, ansi); }

// The first size of CDM_GETFILEPATH's answer buffer, in characters (MAX_PATH and the terminator).
constexpr int kFilePathSize = 261;

}  // namespace

TUniOpenDialog::TUniOpenDialog(TComponent* owner) : TOpenDialog(owner), files_(MakeObject<TUniStringList>()) {}

WideString TUniOpenDialog::FileName() const {
    if (HWND dialog = Handle(); dialog && !Options().Contains(ofOldStyleDialog)) {
        // The dialog answers with the size it needs, terminator included: a longer path is asked again
        // with a buffer of that size instead of being cut.
        std::vector<wchar_t> path(kFilePathSize, L'\0');
        LRESULT n = ::SendMessageW(dialog, CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
        if (n > static_cast<LRESULT>(path.size())) {
            path.assign(static_cast<std::size_t>(n), L'\0');
            n = ::SendMessageW(dialog, CDM_GETFILEPATH, path.size(), reinterpret_cast<LPARAM>(path.data()));
        }
        if (n > 0 && n <= static_cast<LRESULT>(path.size())) {
            std::size_t len = 0;
            while (len < path.size() && path[len]) ++len;
            return FromWideChars(path.data(), len);
        }
    }
    return Synced(fileName_, TOpenDialog::FileName());
}

void TUniOpenDialog::SetFileName(const WideString& value) {
    fileName_ = value;
    TOpenDialog::SetFileName(uni::ToAnsi(value));
}

WideString TUniOpenDialog::Filter() const { return Synced(filter_, TOpenDialog::Filter()); }
void TUniOpenDialog::SetFilter(const WideString& value) {
    filter_ = value;
    TOpenDialog::SetFilter(uni::ToAnsi(value));
}

WideString TUniOpenDialog::InitialDir() const { return Synced(initialDir_, TOpenDialog::InitialDir()); }
void TUniOpenDialog::SetInitialDir(const WideString& value) {
    initialDir_ = uni::TrimInitialDir(value);
    TOpenDialog::SetInitialDir(uni::ToAnsi(initialDir_));
}

WideString TUniOpenDialog::Title() const { return Synced(title_, TOpenDialog::Title()); }
void TUniOpenDialog::SetTitle(const WideString& value) {
    title_ = value;
    TOpenDialog::SetTitle(uni::ToAnsi(value));
}

WideString TUniOpenDialog::DefaultExt() const { return Synced(defaultExt_, TOpenDialog::DefaultExt()); }
void TUniOpenDialog::SetDefaultExt(const WideString& value) {
    defaultExt_ = value;
    TOpenDialog::SetDefaultExt(uni::ToAnsi(value));
}

void TUniOpenDialog::DefineProperties(TFiler* filer) {
    TOpenDialog::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

bool TUniOpenDialog::Execute(HWND parentWindow) { return RunWideFileDialog(&::GetOpenFileNameW, parentWindow); }

bool TUniOpenDialog::RunWideFileDialog(const TWideFileDialogFunc& function, HWND parentWindow) {
    // A name the buffer cannot hold is refused before any window is disabled.
    const std::size_t size = Options().Contains(ofAllowMultiSelect) ? kMultiSelectBufferSize : kFileBufferSize;
    const WideString name = FileName();
    if (name.size() >= size)
        throw CreateFmt<EUniGeneralError>("The file name is longer than the dialog allows (%d characters, at most %d)",
                                          {static_cast<int>(name.size()), static_cast<int>(size) - 1});
    files_->Clear();
    // The library builds the record (options, hook, template, owner) and runs it task-modally; the wide
    // dialog runs on the wide copy of it.
    return DoExecute([this, &function](OPENFILENAMEA* ansi) { return RunWide(function, *ansi); }, parentWindow);
}

BOOL TUniOpenDialog::RunWide(const TWideFileDialogFunc& function, OPENFILENAMEA& ansi) {
    const std::size_t size = ansi.nMaxFile;
    std::vector<char16_t> buffer(size + 2, u'\0');
    const WideString name = FileName();
    std::copy(name.begin(), name.end(), buffer.begin());
    const WideString filter = uni::DialogFilterText(Filter());
    WideString initialDir = InitialDir();
    if (initialDir.empty() && ForceCurrentDirectory) initialDir = u".";
    const WideString title = Title();
    const WideString defaultExt = uni::DialogDefaultExt(DefaultExt(), name, (ansi.Flags & OFN_EXPLORER) != 0);
    WideString templateName;
    const bool namedTemplate = ansi.lpTemplateName && !IS_INTRESOURCE(ansi.lpTemplateName);
    if (namedTemplate) templateName = uni::FromAnsi(ansi.lpTemplateName);

    OPENFILENAMEW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = ansi.hwndOwner;
    record.hInstance = ansi.hInstance;
    record.lpstrFilter = OrNull(filter);
    record.nFilterIndex = ansi.nFilterIndex;
    record.lpstrFile = WideBuffer(buffer.data());
    record.nMaxFile = static_cast<DWORD>(size);
    record.lpstrInitialDir = OrNull(initialDir);
    record.lpstrTitle = OrNull(title);
    record.lpstrDefExt = OrNull(defaultExt);
    record.Flags = ansi.Flags;
    record.lCustData = ansi.lCustData;
    record.lpfnHook = ansi.lpfnHook;
    record.lpTemplateName =
        namedTemplate ? WideCStr(templateName) : reinterpret_cast<const wchar_t*>(ansi.lpTemplateName);

    if (!function(&record)) {
        // The choice did not fit: the user is told, nothing is cut.
        if (::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            throw CreateFmt<EUniGeneralError>("The names chosen do not fit the dialog's buffer of %d characters",
                                              {static_cast<int>(size)});
        return FALSE;
    }
    // The chosen names, once wide and, for the library's 8-bit lists, once in the code page.
    ReadWideFileNames(record);
    // The library reads the same list in the code page (its 8-bit twins; the wide names are the ones kept).
    const std::u16string_view wide(buffer.data(), size);
    const std::size_t end = wide.find(Options().Contains(ofAllowMultiSelect) ? std::u16string_view(u"\0\0", 2)
                                                                             : std::u16string_view(u"\0", 1));
    const AnsiString list = uni::ToAnsi(WideString(wide.substr(0, end == wide.npos ? wide.size() : end)));
    std::fill(ansi.lpstrFile, ansi.lpstrFile + size, '\0');
    std::memcpy(ansi.lpstrFile, list.data(), std::min(list.size(), size - 1));
    ansi.Flags = record.Flags;
    ansi.nFilterIndex = record.nFilterIndex;
    return TRUE;
}

void TUniOpenDialog::ReadWideFileNames(const OPENFILENAMEW& record) {
    const bool multi = Options().Contains(ofAllowMultiSelect);
    const char16_t separator = multi && Options().Contains(ofOldStyleDialog) ? u' ' : u'\0';
    const uni::TDialogFileNames names =
        uni::ReadDialogFileNames(FromWideData(record.lpstrFile), record.nMaxFile, multi, separator);
    if (names.truncated)
        throw CreateFmt<EUniGeneralError>("The names chosen do not fit the dialog's buffer of %d characters",
                                          {static_cast<int>(record.nMaxFile)});
    files_->Clear();
    for (const WideString& file : names.files) files_->Add(file);
    SetFileName(names.files.front());
}

bool TUniOpenDialog::DoCanClose() { return allowCanClose_ ? TOpenDialog::DoCanClose() : true; }

void TUniOpenDialog::WMNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    if (!HookForwarded() || !header) {
        DispatchInherited<TUniOpenDialog>(this, message);
        return;
    }
    if (header->code == CDN_FILEOK) {
        const auto& notify = *reinterpret_cast<const OFNOTIFYW*>(message.LParam);
        if (!notify.lpOFN || !notify.lpOFN->lpstrFile) return;
        // The handler sees the names about to be returned; a refusal keeps the dialog open.
        const WideString oldName = fileName_;
        ReadWideFileNames(*notify.lpOFN);
        allowCanClose_ = true;
        TScopeExit disallow([this] { allowCanClose_ = false; });
        const bool canClose = DoCanClose();
        files_->Clear();
        SetFileName(oldName);
        if (!canClose) {
            message.Result = 1;
            ::SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, 1);
        }
        return;
    }
    if (header->code == CDN_INCLUDEITEM) {
        bool include = true;
        if (OnIncludeItemW) OnIncludeItemW(this, *reinterpret_cast<const OFNOTIFYEXW*>(message.LParam), include);
        message.Result = include ? 1 : 0;
        return;
    }
    DispatchInherited<TUniOpenDialog>(this, message);
}
