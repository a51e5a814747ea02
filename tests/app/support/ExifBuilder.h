// A camera's EXIF block made in a test, independently of the program's writer: directories of entries in either
// byte order, each directory's long values behind it, entries that point at other directories, and one blob
// (a thumbnail) at the end.
//
//   exiftest::Block b(false);                 // big-endian
//   int ifd0 = b.Directory(), exif = b.Directory();
//   b.Text(ifd0, 271, "Canon");
//   b.Numbers(ifd0, 274, 3, {6});
//   b.PointTo(ifd0, 0x8769, exif);
//   b.Numbers(exif, 0x920A, 5, {50, 1});
//   std::vector<Byte> tiff = b.Bytes();      // directory 0 is the first; b.Next(0, 2) links IFD0 to IFD1
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/Types.h"

namespace exiftest {

class Block {
public:
    explicit Block(bool little) : little_(little) {}

    int Directory() {
        dirs_.emplace_back();
        next_.push_back(-1);
        return int(dirs_.size()) - 1;
    }
    // An entry of numbers: SHORTs (3) as 2 bytes, LONG/SLONG (4, 9) as 4, RATIONALs (5, 10) as numerator and
    // denominator, one number each.
    void Numbers(int dir, std::uint16_t tag, std::uint16_t type, const std::vector<std::uint32_t>& numbers) {
        Entry e{tag, type, 0, {}, -1, false};
        const int unit = type == 3 ? 2 : 4;
        for (std::uint32_t n : numbers) Put(e.Value, n, unit);
        e.Count = std::uint32_t(type == 5 || type == 10 ? numbers.size() / 2 : numbers.size());
        dirs_[dir].push_back(e);
    }
    // ASCII with its NUL, or (type 7 or 1) raw bytes.
    void Text(int dir, std::uint16_t tag, const std::string& text, std::uint16_t type = 2) {
        Entry e{tag, type, 0, std::vector<Byte>(text.begin(), text.end()), -1, false};
        if (type == 2) e.Value.push_back(0);
        e.Count = std::uint32_t(e.Value.size());
        dirs_[dir].push_back(e);
    }
    // A LONG holding the offset of another directory.
    void PointTo(int dir, std::uint16_t tag, int target) { dirs_[dir].push_back(Entry{tag, 4, 1, {}, target, false}); }
    // A LONG holding the blob's offset.
    void PointToBlob(int dir, std::uint16_t tag) { dirs_[dir].push_back(Entry{tag, 4, 1, {}, -1, true}); }
    void Next(int dir, int target) { next_[dir] = target; }
    void Blob(const std::vector<Byte>& bytes) { blob_ = bytes; }
    // Where directory dir lies (after Bytes()).
    std::uint32_t OffsetOf(int dir) const { return at_[dir]; }

    std::vector<Byte> Bytes() {
        at_.assign(dirs_.size(), 0);
        std::uint32_t at = 8;
        for (std::size_t d = 0; d < dirs_.size(); ++d) {
            at_[d] = at;
            at += 2 + 12 * std::uint32_t(dirs_[d].size()) + 4;
            for (const Entry& e : dirs_[d])
                if (e.Value.size() > 4) at += std::uint32_t(e.Value.size() + (e.Value.size() & 1));
        }
        const std::uint32_t blobAt = at;
        std::vector<Byte> out;
        if (little_) {
            out = {'I', 'I', 42, 0};
        } else {
            out = {'M', 'M', 0, 42};
        }
        Put(out, 8, 4);
        for (std::size_t d = 0; d < dirs_.size(); ++d) {
            std::vector<Byte> data;
            std::uint32_t dataAt = at_[d] + 2 + 12 * std::uint32_t(dirs_[d].size()) + 4;
            Put(out, std::uint32_t(dirs_[d].size()), 2);
            for (const Entry& e : dirs_[d]) {
                Put(out, e.Tag, 2);
                Put(out, e.Type, 2);
                Put(out, e.Count, 4);
                if (e.Target >= 0 || e.ToBlob) {
                    Put(out, e.ToBlob ? blobAt : at_[e.Target], 4);
                } else if (e.Value.size() <= 4) {
                    std::vector<Byte> field = e.Value;
                    field.resize(4, 0);
                    out.insert(out.end(), field.begin(), field.end());
                } else {
                    Put(out, dataAt + std::uint32_t(data.size()), 4);
                    data.insert(data.end(), e.Value.begin(), e.Value.end());
                    if (data.size() & 1) data.push_back(0);
                }
            }
            Put(out, next_[d] >= 0 ? at_[next_[d]] : 0, 4);
            out.insert(out.end(), data.begin(), data.end());
        }
        out.insert(out.end(), blob_.begin(), blob_.end());
        return out;
    }

private:
    struct Entry {
        std::uint16_t Tag, Type;
        std::uint32_t Count;
        std::vector<Byte> Value;  // in the block's byte order
        int Target;
        bool ToBlob;
    };
    void Put(std::vector<Byte>& out, std::uint32_t v, int bytes) const {
        for (int i = 0; i < bytes; ++i) out.push_back(Byte(v >> (8 * (little_ ? i : bytes - 1 - i))));
    }

    bool little_;
    std::vector<std::vector<Entry>> dirs_;
    std::vector<int> next_;
    std::vector<std::uint32_t> at_;
    std::vector<Byte> blob_;
};

// An APP1 "Exif" segment holding the block, marker and length included.
inline std::vector<Byte> ExifSegment(const std::vector<Byte>& tiff) {
    const std::size_t length = 2 + 6 + tiff.size();
    std::vector<Byte> out = {0xFF, 0xE1, Byte(length >> 8), Byte(length), 'E', 'x', 'i', 'f', 0, 0};
    out.insert(out.end(), tiff.begin(), tiff.end());
    return out;
}

// The JPEG with the segment put right behind its SOI (and the JFIF APP0 there, when it has one).
inline std::vector<Byte> WithSegment(const std::vector<Byte>& jpeg, const std::vector<Byte>& segment) {
    std::size_t at = 2;
    if (jpeg.size() > 6 && jpeg[2] == 0xFF && jpeg[3] == 0xE0) at = 4 + (std::size_t(jpeg[4]) << 8 | jpeg[5]);
    std::vector<Byte> out(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(at));
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.end());
    return out;
}

// A camera's block: make, model, date, orientation, the EXIF sub-IFD with the focal length (numerator /
// denominator), the date of capture and a maker note, a GPS version, and IFD1 with a JPEG thumbnail.
inline std::vector<Byte> CameraBlock(bool little, std::uint16_t orientation, const std::string& make,
                                     const std::string& model, std::uint32_t focalNumerator,
                                     std::uint32_t focalDenominator, const std::vector<Byte>& thumbnail) {
    Block b(little);
    const int ifd0 = b.Directory(), exif = b.Directory(), gps = b.Directory(), ifd1 = b.Directory();
    b.Text(ifd0, 271, make);
    b.Text(ifd0, 272, model);
    b.Numbers(ifd0, 274, 3, {orientation});
    b.Numbers(ifd0, 282, 5, {180, 1});
    b.Numbers(ifd0, 283, 5, {180, 1});
    b.Numbers(ifd0, 296, 3, {2});
    b.Text(ifd0, 306, "2024:05:17 10:20:30");
    b.PointTo(ifd0, 0x8769, exif);
    b.PointTo(ifd0, 0x8825, gps);
    b.Numbers(exif, 0x829A, 5, {1, 250});
    b.Text(exif, 0x9003, "2024:05:17 10:20:30");
    b.Numbers(exif, 0x920A, 5, {focalNumerator, focalDenominator});
    b.Text(exif, 0x927C, std::string(40, 'N'), 7);
    b.Text(gps, 0x0000, std::string("\x02\x03\x00\x00", 4), 1);
    b.Numbers(ifd1, 259, 3, {6});
    b.PointToBlob(ifd1, 513);
    b.Numbers(ifd1, 514, 4, {std::uint32_t(thumbnail.size())});
    b.Next(ifd0, ifd1);
    b.Blob(thumbnail);
    return b.Bytes();
}

}  // namespace exiftest
