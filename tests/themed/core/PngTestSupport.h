// Helpers for the PNG codec tests: hand-built PNG files and a chunk lister.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/core/Stream.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"

namespace pngtest {

using Bytes = std::vector<std::uint8_t>;

inline void Put32(Bytes& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v >> 24));
    b.push_back(std::uint8_t(v >> 16));
    b.push_back(std::uint8_t(v >> 8));
    b.push_back(std::uint8_t(v));
}

inline std::uint32_t Get32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

inline Bytes Signature() { return {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}; }

// One chunk: length, type, data, CRC (spoilt when badCrc).
inline Bytes Chunk(const std::string& type, const Bytes& data, bool badCrc = false) {
    Bytes b;
    Put32(b, std::uint32_t(data.size()));
    b.insert(b.end(), type.begin(), type.begin() + 4);
    if (!data.empty()) b.insert(b.end(), data.begin(), data.end());
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type.data()), 4);
    if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));
    Put32(b, std::uint32_t(crc) ^ (badCrc ? 1u : 0u));
    return b;
}

inline Bytes IhdrData(std::uint32_t w, std::uint32_t h, int depth, int colourType, int interlace = 0,
                      int compression = 0) {
    Bytes d;
    Put32(d, w);
    Put32(d, h);
    d.push_back(std::uint8_t(depth));
    d.push_back(std::uint8_t(colourType));
    d.push_back(std::uint8_t(compression));
    d.push_back(0);
    d.push_back(std::uint8_t(interlace));
    return d;
}

inline Bytes Zlib(const Bytes& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), 6) != Z_OK) throw std::runtime_error("compress");
    out.resize(size);
    return out;
}

inline Bytes Inflate(const Bytes& data) {
    z_stream z{};
    inflateInit(&z);
    Bytes out;
    std::uint8_t buf[65536];
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = uInt(data.size());
    int rc;
    do {
        z.next_out = buf;
        z.avail_out = sizeof buf;
        rc = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), buf, buf + (sizeof buf - z.avail_out));
    } while (rc == Z_OK);
    inflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("inflate");
    return out;
}

// A PNG built from parts: signature, IHDR, any chunks given, then IEND.
inline Bytes Png(const Bytes& ihdr, const std::vector<Bytes>& chunks, bool withEnd = true) {
    Bytes b = Signature();
    const Bytes h = Chunk("IHDR", ihdr);
    b.insert(b.end(), h.begin(), h.end());
    for (const Bytes& c : chunks) b.insert(b.end(), c.begin(), c.end());
    if (withEnd) {
        const Bytes e = Chunk("IEND", {});
        b.insert(b.end(), e.begin(), e.end());
    }
    return b;
}

// Simple image: IHDR, optional extra chunks before the data, one IDAT of the raw (already filtered) rows.
inline Bytes SimplePng(std::uint32_t w, std::uint32_t h, int depth, int colourType, const Bytes& rawRows,
                       const std::vector<Bytes>& before = {}, int interlace = 0) {
    std::vector<Bytes> chunks = before;
    chunks.push_back(Chunk("IDAT", Zlib(rawRows)));
    return Png(IhdrData(w, h, depth, colourType, interlace), chunks);
}

struct Decoded {
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

inline Decoded Decode(const Bytes& png, std::uint64_t maxPixels = TPNGReader::DefaultMaxPixels) {
    TCustomMemoryStream s;
    s.SetPointer(const_cast<std::uint8_t*>(png.data()), std::int64_t(png.size()));
    TPNGReader reader;
    reader.SetMaxPixels(maxPixels);
    reader.LoadFromStream(s);
    return {reader.Width(), reader.Height(), {reader.Pixels().begin(), reader.Pixels().end()}};
}

inline Bytes Encode(std::int32_t w, std::int32_t h, const std::vector<std::uint32_t>& pixels) {
    TPNGWriter writer(w, pixels.data(), w, h);
    TMemoryStream s;
    writer.SaveToStream(s);
    const auto* p = static_cast<const std::uint8_t*>(s.Memory());
    return Bytes(p, p + s.Size());
}

struct ChunkInfo {
    std::string type;
    Bytes data;
};

// The chunks of a well-formed PNG in order.
inline std::vector<ChunkInfo> Chunks(const Bytes& png) {
    std::vector<ChunkInfo> out;
    std::size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const std::uint32_t len = Get32(&png[pos]);
        ChunkInfo c;
        c.type.assign(reinterpret_cast<const char*>(&png[pos + 4]), 4);
        c.data.assign(png.begin() + std::ptrdiff_t(pos + 8), png.begin() + std::ptrdiff_t(pos + 8 + len));
        out.push_back(std::move(c));
        pos += 12 + len;
    }
    return out;
}

inline std::string ChunkTypes(const Bytes& png) {
    std::string s;
    for (const ChunkInfo& c : Chunks(png)) s += (s.empty() ? "" : " ") + c.type;
    return s;
}

// The expected message of a failing decode, or "" when it succeeds.
inline std::string DecodeError(const Bytes& png) {
    try {
        Decode(png);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

}  // namespace pngtest
