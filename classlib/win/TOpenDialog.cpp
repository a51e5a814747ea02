#include "classlib/win/TOpenDialog.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/DialogText.h"
#include "classlib/core/ScopeGuard.h"

// The 32-bit record with the extended fields (reserved pointer, reserved word, FlagsEx) is 88 bytes.
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEA) == 88, "the dialog record lacks its extended fields");

bool ForceCurrentDirectory = false;

namespace {

struct OptionFlag {
    TOpenOption option;
    std::uint32_t flag;
};

// ofOldStyleDialog has no flag of its own: it leaves out OFN_EXPLORER.
constexpr OptionFlag kOptionFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

std::uint32_t FlagOf(TOpenOption option) {
    for (const OptionFlag& f : kOptionFlags)
        if (f.option == option) return f.flag;
    return 0;
}

const char* OrNull(const AnsiString& s) { return s.empty() ? nullptr : s.c_str(); }

// The message an old-style dialog sends its hook before it accepts the names.
UINT FileOkMessage() {
    static const UINT message = RegisterWindowMessageA(FILEOKSTRINGA);
    return message;
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), files_(MakeObject<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

AnsiString TOpenDialog::FileName() const {
    if (Handle() && !options_.Contains(ofOldStyleDialog)) {
        // Room for as many UTF-16 characters as asked for: a dialog that was run with the wide function
        // (by a subclass) answers in UTF-16 and would otherwise write past the end.
        constexpr WPARAM length = MAX_PATH + 1;
        char path[length * sizeof(WCHAR)] = {};
        if (SendMessageA(Handle(), CDM_GETFILEPATH, length, reinterpret_cast<LPARAM>(path)) > 0)
            return AnsiString(path, strnlen(path, length));
    }
    return fileName_;
}

bool TOpenDialog::Execute(HWND parentWindow) {
    return DoExecute([](OPENFILENAMEA* record) { return GetOpenFileNameA(record); }, parentWindow);
}

std::uint32_t TOpenDialog::OptionFlags() const {
    std::uint32_t flags = 0;
    for (const OptionFlag& f : kOptionFlags)
        if (options_.Contains(f.option)) flags |= f.flag;
    return flags;
}

bool TOpenDialog::DoExecute(const TFileDialogFunc& func, HWND parentWindow) {
    const std::uint32_t size = options_.Contains(ofAllowMultiSelect) ? kMultiSelectBufferSize : kFileBufferSize;
    // Two spare NULs behind the part the system may fill.
    std::vector<char> buffer(size + 2, '\0');
    std::memcpy(buffer.data(), fileName_.data(), std::min<std::size_t>(fileName_.size(), size - 1));
    const AnsiString filter = DialogFilter(filter_);
    const AnsiString initialDir = initialDir_.empty() && ForceCurrentDirectory ? AnsiString(".") : initialDir_;

    OPENFILENAMEA record{};
    record.lStructSize = sizeof(record);
    record.hwndOwner = parentWindow;
    record.hInstance = GetModuleHandleA(nullptr);
    record.lpstrFilter = OrNull(filter);
    record.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
    record.lpstrFile = buffer.data();
    record.nMaxFile = size;
    record.lpstrInitialDir = OrNull(initialDir);
    record.lpstrTitle = OrNull(title_);
    record.lpstrDefExt = OrNull(defaultExt_);
    record.Flags = OptionFlags() | OFN_ENABLEHOOK;
    if (!options_.Contains(ofOldStyleDialog)) record.Flags |= OFN_EXPLORER;
    if (Template()) {
        record.Flags |= OFN_ENABLETEMPLATE;
        record.lpTemplateName = Template();
    }
    record.lpfnHook = &TOpenDialog::DialogHook;
    record.lCustData = reinterpret_cast<LPARAM>(this);

    const bool accepted = TaskModalDialog([&func](void* r) { return func(static_cast<OPENFILENAMEA*>(r)); }, &record);
    if (!accepted) return false;
    ReadFileNames(buffer.data(), size);
    // The two options the dialog answers.
    for (const TOpenOption option : {ofReadOnly, ofExtensionDifferent}) {
        if (record.Flags & FlagOf(option))
            options_.Include(option);
        else
            options_.Exclude(option);
    }
    filterIndex_ = static_cast<int>(record.nFilterIndex);
    return true;
}

void TOpenDialog::ReadFileNames(const char* buffer, std::size_t size) {
    const std::vector<AnsiString> names = DialogFileNames(
        std::string_view(buffer, size), options_.Contains(ofAllowMultiSelect), options_.Contains(ofOldStyleDialog));
    {
        TUpdateGuard update(*files_);
        files_->Clear();
        for (const AnsiString& name : names) files_->Add(name);
    }
    fileName_ = names.front();
}

bool TOpenDialog::DoCanClose() {
    bool canClose = true;
    if (OnCanClose) OnCanClose(this, canClose);
    return canClose;
}

void TOpenDialog::DoSelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

void TOpenDialog::DoFolderChange() {
    if (OnFolderChange) OnFolderChange(this);
}

void TOpenDialog::DoTypeChange() {
    if (OnTypeChange) OnTypeChange(this);
}

bool TOpenDialog::DoIncludeItem(const OFNOTIFYEXA& info) {
    bool include = true;
    if (OnIncludeItem) OnIncludeItem(this, info, include);
    return include;
}

void TOpenDialog::WMNotify(TMessage& message) {
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    // Only the hook window's notifications are the dialog's; the dialog's own controls notify it too.
    if (!HookForwarded() || !header) {
        DispatchInherited<TOpenDialog>(this, message);
        return;
    }
    const auto& notify = *reinterpret_cast<const OFNOTIFYA*>(message.LParam);
    switch (header->code) {
        case CDN_FILEOK:
            if (notify.lpOFN) FileOk(message, *notify.lpOFN);
            break;
        case CDN_SELCHANGE: DoSelectionChange(); break;
        case CDN_FOLDERCHANGE: DoFolderChange(); break;
        case CDN_TYPECHANGE: DoTypeChange(); break;
        case CDN_INCLUDEITEM:
            message.Result = DoIncludeItem(*reinterpret_cast<const OFNOTIFYEXA*>(message.LParam)) ? 1 : 0;
            break;
        default: DispatchInherited<TOpenDialog>(this, message); break;
    }
}

void TOpenDialog::FileOk(TMessage& message, const OPENFILENAMEA& record) {
    // The handler sees the names about to be returned; a refusal keeps the dialog open and the old names.
    const AnsiString oldName = fileName_;
    TObjectPtr<TStringList> oldFiles = MakeObject<TStringList>();
    oldFiles->Assign(files_.get());
    if (record.lpstrFile) ReadFileNames(record.lpstrFile, record.nMaxFile);
    if (DoCanClose()) return;
    fileName_ = oldName;
    files_->Assign(oldFiles.get());
    message.Result = 1;
}

UINT_PTR CALLBACK TOpenDialog::DialogHook(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    TOpenDialog* dialog = nullptr;
    try {
        TMessage message{msg, wp, lp, 0};
        if (msg == WM_INITDIALOG) {
            const auto* record = reinterpret_cast<const OPENFILENAMEA*>(lp);
            dialog = record ? reinterpret_cast<TOpenDialog*>(record->lCustData) : nullptr;
            if (!dialog) return 0;
            // An Explorer-style dialog puts the hook window (with the template's controls) inside itself.
            const HWND dialogWindow = (record->Flags & OFN_EXPLORER) ? GetParent(wnd) : wnd;
            return static_cast<UINT_PTR>(dialog->HookInitDialog(wnd, dialogWindow, message));
        }
        dialog = dynamic_cast<TOpenDialog*>(FromHookWindow(wnd));
        if (!dialog) return 0;
        if (dialog->Handle() == wnd) {
            // An old-style dialog is the hook window itself: its subclassed procedure sees its messages
            // already. Only its file-OK question comes to the hook alone; nonzero keeps the dialog open.
            if (msg != FileOkMessage() || !lp) return 0;
            dialog->FileOk(message, *reinterpret_cast<const OPENFILENAMEA*>(lp));
            return static_cast<UINT_PTR>(message.Result);
        }
        if (msg != WM_NOTIFY) return 0;
        return static_cast<UINT_PTR>(dialog->HookMessage(wnd, message));
    } catch (...) {
        HandleCallbackException(dialog);
        return 0;
    }
}
