#include "classlib/win/TStreamAdapter.h"

#include <algorithm>
#include <cstring>
#include <vector>

// No exception may leave a COM method: every one turns stream errors into an HRESULT.

TStreamAdapter::TStreamAdapter(TStream* stream, TStreamOwnership ownership)
    : owned_(ownership == soOwned ? stream : nullptr), stream_(stream) {}

TStreamAdapter::~TStreamAdapter() = default;

IStream* TStreamAdapter::Create(TStream* stream, TStreamOwnership ownership) {
    return new TStreamAdapter(stream, ownership);
}

HRESULT TStreamAdapter::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISequentialStream) || IsEqualIID(iid, IID_IStream)) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TStreamAdapter::AddRef() { return ++refCount_; }

ULONG TStreamAdapter::Release() {
    const ULONG left = --refCount_;
    if (left == 0) delete this;
    return left;
}

namespace {

// Moves count bytes through step(offset, chunk) in chunks the stream takes (at most 1 GiB each) until all are
// moved or the stream stops. A stream error ends the transfer like a short one: the caller's result code says so.
// Returns the bytes moved.
template <class Step>
ULONG TransferAll(ULONG count, Step step) {
    ULONG total = 0;
    try {
        while (total < count) {
            const std::int32_t chunk = std::int32_t(std::min<ULONG>(count - total, 0x40000000));
            const std::int32_t n = step(total, chunk);
            if (n <= 0) break;
            total += ULONG(n);
        }
    } catch (...) {
        // Told as a short transfer.
    }
    return total;
}

}  // namespace

HRESULT TStreamAdapter::Read(void* buffer, ULONG count, ULONG* done) {
    if (done) *done = 0;
    if (!buffer) return STG_E_INVALIDPOINTER;
    const ULONG total = TransferAll(count, [&](ULONG offset, std::int32_t chunk) {
        return stream_->Read(static_cast<Byte*>(buffer) + offset, chunk);
    });
    if (done) *done = total;
    return total == count ? S_OK : S_FALSE;
}

HRESULT TStreamAdapter::Write(const void* buffer, ULONG count, ULONG* done) {
    if (done) *done = 0;
    if (!buffer) return STG_E_INVALIDPOINTER;
    const ULONG total = TransferAll(count, [&](ULONG offset, std::int32_t chunk) {
        return stream_->Write(static_cast<const Byte*>(buffer) + offset, chunk);
    });
    if (done) *done = total;
    return total == count ? S_OK : STG_E_CANTSAVE;
}

HRESULT TStreamAdapter::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) {
    if (origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    try {
        const std::int64_t pos = stream_->Seek(move.QuadPart, TSeekOrigin(origin));
        if (newPosition) newPosition->QuadPart = std::uint64_t(pos);
        return S_OK;
    } catch (...) {
        return STG_E_INVALIDPOINTER;
    }
}

HRESULT TStreamAdapter::SetSize(ULARGE_INTEGER newSize) {
    if (newSize.QuadPart > std::uint64_t(INT64_MAX)) return STG_E_INVALIDFUNCTION;
    try {
        const std::int64_t pos = stream_->Position();
        stream_->SetSize(std::int64_t(newSize.QuadPart));
        if (pos < std::int64_t(newSize.QuadPart)) stream_->SetPosition(pos);
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TStreamAdapter::CopyTo(IStream* dest, ULARGE_INTEGER count, ULARGE_INTEGER* read, ULARGE_INTEGER* written) {
    if (read) read->QuadPart = 0;
    if (written) written->QuadPart = 0;
    if (!dest) return STG_E_INVALIDPOINTER;
    std::vector<Byte> buf(65536);
    std::uint64_t left = count.QuadPart, totalRead = 0, totalWritten = 0;
    HRESULT result = S_OK;
    try {
        while (left > 0) {
            const std::int32_t want = std::int32_t(std::min<std::uint64_t>(left, buf.size()));
            const std::int32_t got = stream_->Read(buf.data(), want);
            if (got <= 0) break;
            totalRead += std::uint64_t(got);
            ULONG put = 0;
            result = dest->Write(buf.data(), ULONG(got), &put);
            totalWritten += put;
            if (FAILED(result) || put != ULONG(got)) {
                if (SUCCEEDED(result)) result = STG_E_MEDIUMFULL;
                break;
            }
            left -= std::uint64_t(got);
        }
    } catch (...) {
        result = STG_E_READFAULT;
    }
    if (read) read->QuadPart = totalRead;
    if (written) written->QuadPart = totalWritten;
    return result;
}

HRESULT TStreamAdapter::Commit(DWORD) { return S_OK; }

HRESULT TStreamAdapter::Revert() { return STG_E_REVERTED; }

HRESULT TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

HRESULT TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

HRESULT TStreamAdapter::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    try {
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = std::uint64_t(stream_->Size());
        stat->grfMode = STGM_READWRITE;
        return S_OK;
    } catch (...) {
        return STG_E_ACCESSDENIED;
    }
}

HRESULT TStreamAdapter::Clone(IStream** result) {
    if (result) *result = nullptr;
    return E_NOTIMPL;
}
