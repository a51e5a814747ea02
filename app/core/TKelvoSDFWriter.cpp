#include "app/core/TKelvoSDFWriter.h"

#include <cstring>
#include <vector>

#include "classlib/core/Checked.h"

TKelvoSDFWriter::TKelvoSDFWriter(TStream* stream) : stream_(stream) {}

TKelvoSDFWriter::TKelvoSDFWriter(std::unique_ptr<TStream> stream) : owned_(std::move(stream)), stream_(owned_.get()) {}

TKelvoSDFWriter::~TKelvoSDFWriter() = default;

int TKelvoSDFWriter::LengthCode(std::uint32_t value) {
    if (value == 0) return 0;
    if (value <= 0xFF) return 1;
    if (value <= 0xFFFF) return 2;
    return 3;
}

void TKelvoSDFWriter::WriteElement(int kind, std::uint32_t id, std::uint32_t type, std::uint32_t size,
                                   const void* payload) {
    if (stream_ == nullptr) return;
    Byte head[13];
    int n = 0;
    const std::uint32_t fields[3] = {id, type, size};
    head[n++] = Byte(kind << 6 | LengthCode(id) << 4 | LengthCode(type) << 2 | LengthCode(size));
    for (std::uint32_t v : fields) {
        static constexpr int bytes[4] = {0, 1, 2, 4};
        for (int i = 0; i < bytes[LengthCode(v)]; ++i) head[n++] = Byte(v >> (8 * i));
    }
    stream_->WriteBuffer(head, n);
    if (size > 0) stream_->WriteBuffer(payload, CheckedCast<std::int32_t>(size));
}

void TKelvoSDFWriter::BeginNode(std::uint32_t id, const TGUID& key) {
    const auto bytes = key.ToBytes();
    WriteElement(3, id, sdfGUID, 16, bytes.data());
}

void TKelvoSDFWriter::BeginIntNode(std::uint32_t id, std::int32_t key) {
    const Byte b[4] = {Byte(key), Byte(key >> 8), Byte(key >> 16), Byte(key >> 24)};
    WriteElement(3, id, sdfInt32, 4, b);
}

void TKelvoSDFWriter::EndNode() {
    if (stream_ == nullptr) return;
    const Byte zero = 0;
    stream_->WriteBuffer(&zero, 1);
}

void TKelvoSDFWriter::WriteBool(std::uint32_t id, bool value) {
    const Byte b = value ? 1 : 0;
    WriteElement(1, id, sdfInt8, 1, &b);
}

void TKelvoSDFWriter::WriteInteger(std::uint32_t id, std::int32_t value) {
    const Byte b[4] = {Byte(value), Byte(value >> 8), Byte(value >> 16), Byte(value >> 24)};
    WriteElement(1, id, sdfInt32, 4, b);
}

void TKelvoSDFWriter::WriteDouble(std::uint32_t id, double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    Byte b[8];
    for (int i = 0; i < 8; ++i) b[i] = Byte(bits >> (8 * i));
    WriteElement(1, id, sdfDouble, 8, b);
}

void TKelvoSDFWriter::WriteWideString(std::uint32_t id, const WideString& text) {
    const std::uint32_t size = CheckedMul<std::uint32_t>(CheckedCast<std::uint32_t>(text.size()), 2);
    std::vector<Byte> b(size);
    for (std::size_t i = 0; i < text.size(); ++i) {
        b[2 * i] = Byte(text[i]);
        b[2 * i + 1] = Byte(text[i] >> 8);
    }
    WriteElement(1, id, sdfWideString, size, b.data());
}

void TKelvoSDFWriter::WriteBinary(std::uint32_t id, const void* buffer, std::uint32_t count) {
    WriteElement(1, id, sdfBinary, count, buffer);
}
