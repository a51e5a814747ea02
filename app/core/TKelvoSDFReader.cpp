#include "app/core/TKelvoSDFReader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "app/core/TKelvoSDFWriter.h"

namespace {

std::uint32_t ReadLE(const Byte* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= std::uint32_t(p[i]) << (8 * i);
    return v;
}

}  // namespace

TKelvoSDFReader::TKelvoSDFReader(TStream* stream) {
    if (stream == nullptr) return;
    try {
        const std::int64_t available = std::clamp<std::int64_t>(stream->Remaining(), 0, MaxBytes);
        data_.resize(std::size_t(available));
        std::int64_t got = 0;
        while (got < available) {
            const std::int32_t n = stream->Read(data_.data() + got, std::int32_t(available - got));
            if (n <= 0) break;
            got += n;
        }
        data_.resize(std::size_t(got));
    } catch (const EStreamError&) {
        // A stream that cannot be read (a damaged or vanished file) reads as empty. Any other error is a fault
        // of the program, not of the bytes, and passes on.
        data_.clear();
    }
    Parse();
}

TKelvoSDFReader::TKelvoSDFReader(std::unique_ptr<TStream> stream) : TKelvoSDFReader(stream.get()) {
    owned_ = std::move(stream);
}

TKelvoSDFReader::~TKelvoSDFReader() = default;

void TKelvoSDFReader::Parse() {
    static constexpr int fieldBytes[4] = {0, 1, 2, 4};
    const std::size_t end = data_.size();
    std::size_t pos = 0;
    std::int32_t current = -1;
    int depth = 0;
    try {
        while (pos < end) {
            const Byte head = data_[pos++];
            const int kind = head >> 6;
            std::uint32_t fields[3];
            bool complete = true;
            for (int f = 0; f < 3; ++f) {
                const int bytes = fieldBytes[(head >> (4 - 2 * f)) & 3];
                if (end - pos < std::size_t(bytes)) {
                    complete = false;
                    break;
                }
                fields[f] = ReadLE(data_.data() + pos, bytes);
                pos += std::size_t(bytes);
            }
            if (!complete) break;
            if (kind == 0) {
                // End of node: at the root it ends the parse.
                if (current < 0) break;
                current = nodes_[std::size_t(current)].Parent;
                --depth;
                continue;
            }
            // The payload must lie wholly inside the bytes read.
            if (fields[2] > end - pos) break;
            if ((kind & 2) && depth == MaxDepth) break;
            TKelvoSDFElement e{fields[0], fields[1], fields[2], std::uint32_t(pos)};
            pos += fields[2];
            if (kind & 2) {
                TKelvoSDFNode node;
                node.Element = e;
                node.Parent = current;
                const std::int32_t index = std::int32_t(nodes_.size());
                nodes_.push_back(std::move(node));
                ItemsOf(current).Nodes.push_back(index);
                current = index;
                ++depth;
            } else {
                ItemsOf(current).Values.push_back(e);
            }
        }
    } catch (const std::bad_alloc&) {
        // Out of memory while building the tree: what was parsed so far stays.
    }
    current_ = -1;
}

bool TKelvoSDFReader::OpenNode(std::uint32_t id, const TGUID& key) {
    const auto bytes = key.ToBytes();
    for (std::int32_t n : ItemsOf(current_).Nodes) {
        const TKelvoSDFElement& e = nodes_[std::size_t(n)].Element;
        if (e.ItemId == id && e.TypeCode == sdfGUID && e.Size == 16 &&
            std::memcmp(data_.data() + e.Position, bytes.data(), 16) == 0) {
            current_ = n;
            return true;
        }
    }
    return false;
}

bool TKelvoSDFReader::OpenIntNode(std::uint32_t id) {
    for (std::int32_t n : ItemsOf(current_).Nodes) {
        if (nodes_[std::size_t(n)].Element.ItemId == id) {
            current_ = n;
            return true;
        }
    }
    return false;
}

void TKelvoSDFReader::CloseNode() {
    if (current_ >= 0) current_ = nodes_[std::size_t(current_)].Parent;
}

const TKelvoSDFElement* TKelvoSDFReader::Find(std::uint32_t id) const {
    if (id == 0 && current_ >= 0) return &nodes_[std::size_t(current_)].Element;
    for (const TKelvoSDFElement& e : ItemsOf(current_).Values)
        if (e.ItemId == id) return &e;
    return nullptr;
}

bool TKelvoSDFReader::IntegerOf(const TKelvoSDFElement& e, std::int64_t& value) const {
    const Byte* p = data_.data() + e.Position;
    switch (e.TypeCode) {
        case sdfInt8:
            if (e.Size != 1) return false;
            value = std::int8_t(p[0]);
            return true;
        case sdfUInt8:
            if (e.Size != 1) return false;
            value = p[0];
            return true;
        case sdfInt16:
            if (e.Size != 2) return false;
            value = std::int16_t(ReadLE(p, 2));
            return true;
        case sdfUInt16:
            if (e.Size != 2) return false;
            value = ReadLE(p, 2);
            return true;
        case sdfInt32:
            if (e.Size != 4) return false;
            value = std::int32_t(ReadLE(p, 4));
            return true;
        default: return false;
    }
}

bool TKelvoSDFReader::ReadInteger(std::uint32_t id, std::int32_t& value) const {
    const TKelvoSDFElement* e = Find(id);
    std::int64_t v;
    if (e == nullptr || !IntegerOf(*e, v)) return false;
    value = std::int32_t(v);
    return true;
}

bool TKelvoSDFReader::ReadBool(std::uint32_t id, bool& value) const {
    std::int32_t v;
    if (!ReadInteger(id, v)) return false;
    value = v != 0;
    return true;
}

bool TKelvoSDFReader::ReadDouble(std::uint32_t id, double& value) const {
    const TKelvoSDFElement* e = Find(id);
    if (e == nullptr) return false;
    const Byte* p = data_.data() + e->Position;
    if (e->TypeCode == sdfDouble && e->Size == 8) {
        std::uint64_t bits = ReadLE(p, 4) | std::uint64_t(ReadLE(p + 4, 4)) << 32;
        std::memcpy(&value, &bits, 8);
        return true;
    }
    if (e->TypeCode == sdfFloat && e->Size == 4) {
        const std::uint32_t bits = ReadLE(p, 4);
        float f;
        std::memcpy(&f, &bits, 4);
        value = f;
        return true;
    }
    if (e->TypeCode == sdfUInt32 && e->Size == 4) {
        value = double(ReadLE(p, 4));
        return true;
    }
    std::int64_t v;
    if (!IntegerOf(*e, v)) return false;
    value = double(v);
    return true;
}

bool TKelvoSDFReader::ReadWideString(std::uint32_t id, WideString& text) const {
    const TKelvoSDFElement* e = Find(id);
    if (e == nullptr || e->TypeCode != sdfWideString) return false;
    const Byte* p = data_.data() + e->Position;
    // An odd last byte is no whole character and is ignored.
    WideString result(e->Size / 2, u'\0');
    for (std::size_t i = 0; i < result.size(); ++i) result[i] = char16_t(p[2 * i] | p[2 * i + 1] << 8);
    text = std::move(result);
    return true;
}

bool TKelvoSDFReader::ReadBinary(std::uint32_t id, void* buffer, std::uint32_t count) const {
    const TKelvoSDFElement* e = Find(id);
    if (e == nullptr || e->Size != count) return false;
    if (count > 0) std::memcpy(buffer, data_.data() + e->Position, count);
    return true;
}
