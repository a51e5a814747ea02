#include "classlib/win/TGraphic.h"

#include "classlib/core/TFileStream.h"

TGraphic::TGraphic() = default;
TGraphic::~TGraphic() = default;

void TGraphic::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Changed(this);
}

void TGraphic::SetModified(bool modified) {
    if (modified)
        Changed(this);
    else
        modified_ = false;
}

void TGraphic::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TGraphic::LoadFromClipboardFormat(std::uint16_t, HANDLE, HPALETTE) {}

void TGraphic::SaveToClipboardFormat(std::uint16_t&, HANDLE&, HPALETTE&) {}

void TGraphic::Changed(TObject*) {
    modified_ = true;
    if (OnChange) OnChange(this);
}
