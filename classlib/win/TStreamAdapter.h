// A COM IStream over one of our streams, for system calls that read or write through IStream
// (GDI+ decoding, image-list storage).
#pragma once
#include <atomic>
#include <memory>

#include "classlib/core/Stream.h"
#include "classlib/win/Win32.h"

enum TStreamOwnership { soReference, soOwned };

class TStreamAdapter : public IStream {
public:
    // Makes an adapter with one reference, which the caller gives back with Release(). With soOwned the
    // adapter frees the stream when the last reference goes; with soReference the stream must outlive
    // every reference.
    static IStream* Create(TStream* stream, TStreamOwnership ownership = soReference);

    TStream* Stream() const { return stream_; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* done) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* done) override;
    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER newSize) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* dest, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** result) override;

private:
    TStreamAdapter(TStream* stream, TStreamOwnership ownership);
    virtual ~TStreamAdapter();

    std::unique_ptr<TStream> owned_;  // the stream when the adapter owns it
    TStream* stream_;
    std::atomic<ULONG> refCount_{1};
};
