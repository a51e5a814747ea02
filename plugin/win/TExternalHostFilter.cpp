#include "plugin/win/TExternalHostFilter.h"

#include <windows.h>

#include <limits>
#include <string>

#include "app/win/TFileMapping.h"
#include "app/win/TMappedView.h"
#include "plugin/core/FilterExchange.h"
#include "plugin/win/PluginSystem.h"
#include "classlib/win/WideChars.h"

using namespace hostfilter;

namespace {

// The mapping takes 32-bit sizes; a host image beyond that cannot travel through the file.
constexpr std::uint64_t MaxFileSize = std::numeric_limits<std::int32_t>::max();

std::string Ansi(const std::u16string& text) {
    if (text.empty()) return {};
    const auto* wide = WideCStr(text);
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, int(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

void ShowError(const TFilterRecord* record, const std::string& text) {
    const TPlatformData* platform = record != nullptr ? record->platformData : nullptr;
    MessageBoxA(platform != nullptr ? static_cast<HWND>(platform->hwnd) : nullptr, text.c_str(), "Error", MB_ICONERROR);
}

// Writes the header and the host's input rows into the new file; false when it cannot be sized or mapped.
bool WriteExchange(const std::u16string& file, const exchange::THeader& header, const TFilterRecord& record) {
    const std::uint64_t size = filterexchange::FileSizeFor(header);
    TFileMapping mapping(file);
    if (size > MaxFileSize || !mapping.SetSize(std::uint32_t(size))) return false;
    TMappedView view(mapping, std::uint32_t(size), FILE_MAP_WRITE);
    if (view.Bytes() == nullptr) return false;
    filterexchange::WriteFile(view.Bytes(), header, static_cast<const std::uint8_t*>(record.inData));
    return true;
}

}  // namespace

TExternalHostFilter::TExternalHostFilter(const std::u16string& programPath, std::u16string aboutText,
                                         std::u16string aboutCaption)
    : THostFilter(std::move(aboutText), std::move(aboutCaption)) {
    SetProgramPath(programPath);
}

void TExternalHostFilter::SetProgramPath(const std::u16string& path) {
    programPath_ = path;
    if (workingDirectory_.empty()) workingDirectory_ = filterexchange::FolderOf(path);
}

std::int16_t TExternalHostFilter::Start(TFilterRecord* record) {
    exchange::THeader sent;
    if (record == nullptr || !filterexchange::RequestInput(*record, sent)) {
        ShowError(record, "Get image data error.");
        if (record != nullptr) filterexchange::ClearRects(*record);
        return OpenError;
    }
    std::int16_t result = OpenError;
    {
        const TTempFile file;
        if (file.Name().empty() || !WriteExchange(file.Name(), sent, *record)) {
            ShowError(record, "Create temp file error.");
        } else {
            const TProgramRun run =
                RunProgram(filterexchange::CommandLine(programPath_, file.Name()), workingDirectory_);
            if (!run.started) {
                ShowError(record,
                          "Execute application \"" + Ansi(programPath_) + "\" error: " + std::to_string(run.error));
            } else {
                result = run.exitCode == 0 ? ReadBack(*record, file.Name(), sent) : UserCanceled;
            }
        }
    }
    filterexchange::ClearRects(*record);
    return result;
}

std::int16_t TExternalHostFilter::ReadBack(TFilterRecord& record, const std::u16string& file,
                                           const exchange::THeader& sent) {
    TFileMapping mapping(file);
    const std::int64_t size = mapping.GetSize();
    if (size < 4 || std::uint64_t(size) > MaxFileSize) {
        ShowError(&record, "Transfer image data error.");
        return UserCanceled;
    }
    TMappedView view(mapping, std::uint32_t(size), FILE_MAP_READ);
    exchange::THeader received;
    switch (filterexchange::CheckReadBack(view.Bytes(), std::uint64_t(size), sent, received)) {
        case filterexchange::TReadBack::WrongMagic: return UserCanceled;
        case filterexchange::TReadBack::Unreadable:
            ShowError(&record, "Transfer image data error.");
            return UserCanceled;
        case filterexchange::TReadBack::Ready: break;
    }
    exchange::THeader output;
    if (!filterexchange::RequestOutput(record, output)) {
        ShowError(&record, "Get out image data error.");
        return UserCanceled;
    }
    exchange::RowsToHost(view.Bytes() + exchange::PixelOffset, received, static_cast<std::uint8_t*>(record.outData),
                         record.outRowBytes, record.planes);
    return NoError;
}
