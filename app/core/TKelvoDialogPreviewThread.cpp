#include "app/core/TKelvoDialogPreviewThread.h"

#include <chrono>

TKelvoDialogPreviewThread::TKelvoDialogPreviewThread(const TKelvoFileFormats& formats, IKelvoPreviewSink& sink)
    : TThread(false), formats_(formats), sink_(sink) {}

TKelvoDialogPreviewThread::~TKelvoDialogPreviewThread() = default;

void TKelvoDialogPreviewThread::Request(const std::u16string& fileName, std::int32_t width, std::int32_t height) {
    {
        std::lock_guard guard(lock_);
        ++newest_;
        slot_ = {fileName, width, height};
        pending_ = !fileName.empty();
    }
    wake_.notify_one();
}

void TKelvoDialogPreviewThread::Stop() {
    {
        std::lock_guard guard(lock_);
        Terminate();
    }
    wake_.notify_one();
}

bool TKelvoDialogPreviewThread::TakeRequest(TRequest& request, std::uint64_t& number) {
    std::unique_lock guard(lock_);
    wake_.wait_for(guard, std::chrono::milliseconds(10), [this] { return pending_ || Terminated(); });
    if (!pending_ || Terminated()) return false;
    request = std::move(slot_);
    slot_ = {};
    pending_ = false;
    number = newest_;
    return true;
}

std::unique_ptr<TKelvoThumbnail> TKelvoDialogPreviewThread::MakeThumbnail(const TRequest& request) const {
    if (request.Width <= 0 || request.Height <= 0) return nullptr;
    try {
        return formats_.GetThumbnail(request.FileName, request.Width, request.Height);
    } catch (...) {
        // A file that cannot be read has no preview; browsing goes on.
        return nullptr;
    }
}

void TKelvoDialogPreviewThread::Execute() {
    while (!Terminated()) {
        TRequest request;
        std::uint64_t number = 0;
        if (!TakeRequest(request, number)) continue;
        std::unique_ptr<TKelvoThumbnail> thumbnail = MakeThumbnail(request);
        if (!thumbnail) continue;
        Synchronize([&] {
            bool current;
            {
                std::lock_guard guard(lock_);
                current = number == newest_ && !Terminated();
            }
            if (current) sink_.PreviewReady(std::move(thumbnail));
        });
        // A thumbnail not handed over is freed here, on the worker.
    }
}
