#include "themed/win/TPNGBitmap.h"

#include <cstring>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TPicture.h"
#include "themed/core/TColorEffects.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"

TPNGBitmap::TPNGBitmap() = default;
TPNGBitmap::~TPNGBitmap() = default;

void TPNGBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    if (!canvas || Empty()) return;
    dib_->StretchDraw(canvas->Handle(), rect, sdAlpha | sdResample, dib_->Bounds());
}

bool TPNGBitmap::Empty() const { return !dib_ || dib_->Empty(); }

int TPNGBitmap::Width() const { return dib_ ? dib_->Width() : 0; }

int TPNGBitmap::Height() const { return dib_ ? dib_->Height() : 0; }

void TPNGBitmap::Resize(int width, int height) {
    if (width == Width() && height == Height()) return;
    if (!dib_) dib_ = MakeObject<TDIB32>();
    dib_->SetSize(width, height);
    Changed(this);
}

void TPNGBitmap::SetWidth(int width) { Resize(width, Height()); }

void TPNGBitmap::SetHeight(int height) { Resize(Width(), height); }

void TPNGBitmap::LoadFromStream(TStream& stream) {
    TPNGReader reader;
    reader.LoadFromStream(stream);
    auto dib = MakeObject<TDIB32>();
    dib->SetSize(int(reader.Width()), int(reader.Height()));
    if (!dib->Empty()) std::memcpy(dib->Pixels(), reader.Pixels().data(), reader.Pixels().size() * 4);
    dib_ = std::move(dib);
    Changed(this);
}

void TPNGBitmap::SaveToStream(TStream& stream) {
    if (Empty()) throw EStreamError("Invalid image dimensions");
    TPNGWriter writer(dib_->Width(), dib_->Pixels(), dib_->Width(), dib_->Height());
    writer.SaveToStream(stream);
}

void TPNGBitmap::Assign(TPersistent* source) {
    if (!source) {
        dib_.reset();
        Changed(this);
        return;
    }
    if (auto* png = dynamic_cast<TPNGBitmap*>(source)) {
        if (png == this) return;
        if (!dib_) dib_ = MakeObject<TDIB32>();
        dib_->Assign(png->dib_.get());
        Changed(this);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        if (!dib_) dib_ = MakeObject<TDIB32>();
        dib_->SetSize(bitmap->Width(), bitmap->Height());
        if (!dib_->Empty()) {
            ::BitBlt(dib_->DC(), 0, 0, bitmap->Width(), bitmap->Height(), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
            // Copies from bitmaps without alpha come out with alpha 0, which would draw as nothing: only a
            // 32-bit bitmap that has some alpha keeps its own.
            std::uint32_t* p = dib_->Pixels();
            const std::size_t n = std::size_t(dib_->Width()) * std::size_t(dib_->Height());
            bool hasAlpha = false;
            if (bitmap->PixelFormat() == pf32bit)
                for (std::size_t i = 0; i < n && !hasAlpha; ++i) hasAlpha = (p[i] >> 24) != 0;
            if (!hasAlpha)
                for (std::size_t i = 0; i < n; ++i) p[i] |= 0xFF000000u;
        }
        Changed(this);
        return;
    }
    TGraphic::Assign(source);
}

void RegisterSkinGraphicsUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "SkinGraphics",
        [] {
            themed::RegisterBuiltInColorEffects();
            TPicture::RegisterFileFormat("png", "Portable network graphic images", TGraphicClass::Of<TPNGBitmap>());
        },
        [] {
            TPicture::UnregisterGraphicClass(TGraphicClass::Of<TPNGBitmap>());
            themed::ClearColorEffects();
        },
        200);
}
