// Encoder of 32-bit pixels (alpha in bits 24-31, red 16-23, green 8-15, blue 0-7) as PNG. It picks the
// smallest colour type that holds the pixels exactly (palette, grey, grey with alpha, truecolour,
// truecolour with alpha) and a filter per row, and writes one IDAT compressed at level 9.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/Stream.h"

class TPNGWriter {
public:
    // Pixel kinds; also the reader's codes.
    enum Kind { Palette = 1, Grey = 2, GreyAlpha = 3, TrueColour = 4, TrueColourAlpha = 5 };

    // Copies height rows of width pixels, row r starting at pixels + r * stride. Raises Exception
    // "Invalid dimensions" when width or height is 0 or less.
    TPNGWriter(std::int32_t width, const std::uint32_t* pixels, std::ptrdiff_t stride, std::int32_t height);

    // Writes the whole PNG at the stream's position.
    void SaveToStream(TStream& stream);

    // The encoding SaveToStream chose (valid after it ran).
    Kind ChosenKind() const { return kind_; }
    int ChosenDepth() const { return depth_; }

private:
    void Analyse();
    void WriteImageData(TStream& stream);

    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint32_t> pixels_;
    std::vector<std::uint32_t> palette_;
    std::vector<Byte> indices_;
    Kind kind_ = TrueColour;
    int depth_ = 8;
    bool keyNeeded_ = false;
    std::uint32_t key_ = 0;
    bool transparencyNeeded_ = false;
};
