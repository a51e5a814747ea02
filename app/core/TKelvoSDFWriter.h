// Writer of the state file's binary tagged tree. Each element is a header byte (kind in bits 7-6, then the
// length codes of id, type and size), the three fields in as few bytes as their values need, and the payload.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/core/Stream.h"
#include "classlib/core/TGUID.h"
#include "classlib/core/Types.h"

// Type codes of stored values.
enum : std::uint32_t {
    sdfInt8 = 1,
    sdfUInt8 = 2,
    sdfInt16 = 3,
    sdfUInt16 = 4,
    sdfInt32 = 5,
    sdfUInt32 = 6,
    sdfFloat = 9,
    sdfDouble = 10,
    sdfWideString = 12,
    sdfGUID = 13,
    sdfBinary = 14,
};

class TKelvoSDFWriter {
public:
    // Writes to a stream it does not own; nullptr gives a writer that writes nothing.
    explicit TKelvoSDFWriter(TStream* stream);
    // Writes to a stream it owns and frees.
    explicit TKelvoSDFWriter(std::unique_ptr<TStream> stream);
    TKelvoSDFWriter(const TKelvoSDFWriter&) = delete;
    TKelvoSDFWriter& operator=(const TKelvoSDFWriter&) = delete;
    ~TKelvoSDFWriter();

    void BeginNode(std::uint32_t id, const TGUID& key);
    void BeginIntNode(std::uint32_t id, std::int32_t key);
    void EndNode();
    void WriteBool(std::uint32_t id, bool value);
    void WriteInteger(std::uint32_t id, std::int32_t value);
    void WriteDouble(std::uint32_t id, double value);
    void WriteWideString(std::uint32_t id, const WideString& text);
    void WriteBinary(std::uint32_t id, const void* buffer, std::uint32_t count);

    // Length code of a field value: 0 -> absent, up to 255 -> 1 byte, up to 65535 -> 2 bytes, else 4 bytes.
    static int LengthCode(std::uint32_t value);

private:
    void WriteElement(int kind, std::uint32_t id, std::uint32_t type, std::uint32_t size, const void* payload);

    std::unique_ptr<TStream> owned_;
    TStream* stream_;
};
