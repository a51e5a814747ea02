#include "app/win/TFileMapping.h"
#include "classlib/win/WideChars.h"

TFileMapping::TFileMapping(const std::u16string& fileName) {
    file_ = CreateFileW(WideCStr(fileName), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (IsOpen()) CreateMapping();
}

TFileMapping::~TFileMapping() {
    CloseMapping();
    if (IsOpen()) CloseHandle(file_);
}

std::int64_t TFileMapping::GetSize() const {
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(file_, &size)) return 0;
    return size.QuadPart;
}

bool TFileMapping::CreateMapping() {
    const std::int64_t size = GetSize();
    if (size <= 0) return false;
    mapping_ = CreateFileMappingW(file_, nullptr, PAGE_READWRITE, 0, 0, nullptr);
    mappedSize_ = mapping_ != nullptr ? size : 0;
    return mapping_ != nullptr;
}

void TFileMapping::CloseMapping() {
    if (mapping_ != nullptr) CloseHandle(mapping_);
    mapping_ = nullptr;
    mappedSize_ = 0;
}

void* TFileMapping::Map(std::uint32_t offset, std::uint32_t count, DWORD access) {
    if (mapping_ == nullptr || std::int64_t(offset) + count > mappedSize_) return nullptr;
    return MapViewOfFile(mapping_, access, 0, offset, count);
}

void TFileMapping::Unmap(void* address) {
    if (address != nullptr) UnmapViewOfFile(address);
}

bool TFileMapping::EndFileAt(std::int64_t size) {
    LARGE_INTEGER pos;
    pos.QuadPart = size;
    return SetFilePointerEx(file_, pos, nullptr, FILE_BEGIN) && SetEndOfFile(file_);
}

bool TFileMapping::SetSize(std::uint32_t size) {
    if (!IsOpen()) return false;
    const std::int64_t oldSize = GetSize();
    // A file with an open mapping cannot be shortened: the mapping goes first.
    CloseMapping();
    if (!EndFileAt(size)) {
        const DWORD error = GetLastError();
        CreateMapping();
        SetLastError(error);
        return false;
    }
    if (size == 0 || CreateMapping()) return true;
    // The new length cannot be mapped: back to the old length and its mapping.
    const DWORD error = GetLastError();
    EndFileAt(oldSize);
    CreateMapping();
    SetLastError(error);
    return false;
}
