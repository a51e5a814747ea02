// One transferred image on its way to the image-ready event: a DIB section (with its bits and bitmap info) or a
// global packed DIB, owned until Release hands the handle over. The makers take platform-free layouts
// (scan/core/TwnImages.h) and copy only the bytes a layout has checked.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/Types.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/Win32.h"
#include "scan/core/TwnImages.h"

class TTwnImage {
public:
    TTwnImage() = default;
    ~TTwnImage();
    TTwnImage(const TTwnImage&) = delete;
    TTwnImage& operator=(const TTwnImage&) = delete;

    // A DIB section of the bitmap info (a 40-byte header and table); false when none can be made.
    bool MakeSection(const std::vector<Byte>& info);
    // A zero-filled movable block of size bytes, locked; false when none can be had.
    bool MakeBlock(std::size_t size);
    // Takes over a block a source handed over.
    void AdoptBlock(HGLOBAL block) { block_ = block; }
    // The section of the layout with the bits copied from data.
    bool SectionOf(const twn::TTwnDibLayout& layout, const Byte* data);
    // A block holding the packed DIB of the layout taken from data.
    bool BlockOf(const twn::TTwnDibLayout& layout, const Byte* data);

    bool Empty() const { return !section_ && !block_; }
    // The section's bits, or the locked block's start.
    Byte* Bits() const { return bits_; }
    std::vector<Byte>& Info() { return info_; }
    HBITMAP Section() const { return section_.Get(); }
    HGLOBAL Block() const { return block_; }
    // Unlocks the block; the bits pointer goes with the lock.
    void UnlockBlock();
    // Hands the handle (section or block) to the caller: it is no longer freed here.
    std::uintptr_t Release();
    // Frees whatever is held.
    void Clear();

private:
    TGdiHandle<HBITMAP> section_;
    HGLOBAL block_ = nullptr;
    bool locked_ = false;
    Byte* bits_ = nullptr;
    std::vector<Byte> info_;
};

namespace twn {
// The whole file, when it is no larger than an image may be; false for a file that cannot be read.
bool ReadWholeFile(const std::string& name, std::vector<Byte>& data);
}  // namespace twn
