// The worker behind the file dialogs' preview: the dialog posts the file now selected into a request slot,
// the worker makes its thumbnail (which may take long for a large photo) and hands it to the dialog on the
// user-interface thread.
//
// Threading: the slot is guarded by a lock; each request gets a new number, and a thumbnail is handed over
// only while its request is still the newest one and the thread is not terminating, checked on the
// user-interface thread inside the synchronous call. So choosing several files quickly shows only the last,
// and a dialog that closes (Terminate, then WaitFor, which keeps serving synchronous calls) is never called
// after it began to close. A provider that fails or raises gives no thumbnail, never an error.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "app/core/TKelvoFileFormats.h"
#include "classlib/core/TThread.h"

// Where finished thumbnails go; called on the user-interface thread only.
class IKelvoPreviewSink {
public:
    virtual void PreviewReady(std::unique_ptr<TKelvoThumbnail> thumbnail) = 0;

protected:
    ~IKelvoPreviewSink() = default;
};

class TKelvoDialogPreviewThread : public TThread {
    CLASSLIB_CLASS(TKelvoDialogPreviewThread, TThread)
public:
    // Starts at once (made with Create<T> / MakeObject<T>). Neither is owned; both outlive the thread.
    TKelvoDialogPreviewThread(const TKelvoFileFormats& formats, IKelvoPreviewSink& sink);
    ~TKelvoDialogPreviewThread() override;

    // A preview of fileName fitting width x height replaces any request not yet taken; an empty name
    // withdraws the request and drops a thumbnail still being made.
    void Request(const std::u16string& fileName, std::int32_t width, std::int32_t height);
    // Terminate and wake the worker at once.
    void Stop();

protected:
    void Execute() override;

private:
    struct TRequest {
        std::u16string FileName;
        std::int32_t Width = 0;
        std::int32_t Height = 0;
    };
    // Waits up to 10 ms for a request; false when none came.
    bool TakeRequest(TRequest& request, std::uint64_t& number);
    std::unique_ptr<TKelvoThumbnail> MakeThumbnail(const TRequest& request) const;

    const TKelvoFileFormats& formats_;
    IKelvoPreviewSink& sink_;
    std::mutex lock_;
    std::condition_variable wake_;
    TRequest slot_;
    bool pending_ = false;
    std::uint64_t newest_ = 0;  // the number of the last request made
};
