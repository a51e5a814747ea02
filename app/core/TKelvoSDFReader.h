// Reader of the state file's binary tagged tree (see TKelvoSDFWriter.h for the element layout).
//
// The whole stream is parsed when the reader is made. The bytes are anyone's to damage, so the parse stops
// at the first element that cannot be read whole or nests too deep, and everything before it stays usable. A
// stream that raises EStreamError while it is read counts as empty; other errors are faults and pass on.
// The tree is kept flat (nodes refer to each other by index), so neither parsing nor destruction recurses.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/Stream.h"
#include "classlib/core/TGUID.h"
#include "classlib/core/Types.h"

// One element as found in the stream: its payload is at Position (offset in the reader's copy of the bytes).
struct TKelvoSDFElement {
    std::uint32_t ItemId = 0;
    std::uint32_t TypeCode = 0;
    std::uint32_t Size = 0;
    std::uint32_t Position = 0;
};

// The children of a node (or of the root), each list in stream order. Nodes are indices into the reader's
// node store.
struct TKelvoSDFItems {
    std::vector<TKelvoSDFElement> Values;
    std::vector<std::int32_t> Nodes;
};

// A node: its start element (whose payload is the key), its parent (-1 = the root) and its children.
struct TKelvoSDFNode {
    TKelvoSDFElement Element;
    std::int32_t Parent = -1;
    TKelvoSDFItems Items;
};

class TKelvoSDFReader {
public:
    // Bytes beyond this many are not read: such a stream counts as cut off there. The format itself sets no
    // bound, but a state file holds a few kilobytes; the bound keeps a damaged one from costing much memory.
    static constexpr std::int64_t MaxBytes = std::int64_t(1) << 20;
    // A node start deeper than this stops the parse like any other damage. The program's own nodes nest a
    // few levels; the bound keeps a hostile file from costing a node per byte in an endless descent.
    static constexpr int MaxDepth = 64;

    // Parses the stream from its position to its end; nullptr gives a reader that finds nothing.
    explicit TKelvoSDFReader(TStream* stream);
    // The same over a stream that the reader owns and frees.
    explicit TKelvoSDFReader(std::unique_ptr<TStream> stream);
    TKelvoSDFReader(const TKelvoSDFReader&) = delete;
    TKelvoSDFReader& operator=(const TKelvoSDFReader&) = delete;
    ~TKelvoSDFReader();

    // Among the child nodes of the current node, the first with this id whose key is this GUID becomes
    // current; false leaves the reader where it was.
    bool OpenNode(std::uint32_t id, const TGUID& key);
    // The first child node with this id becomes current, whatever its key.
    bool OpenIntNode(std::uint32_t id);
    // The parent of the current node becomes current (nothing at the root).
    void CloseNode();
    // Back to the root.
    void Reset() { current_ = -1; }

    // Typed reads of the first value with the id in the current node; id 0 inside a node reads the node's
    // key. False, with the target unchanged, when there is no such value or its type or size does not fit.
    bool ReadInteger(std::uint32_t id, std::int32_t& value) const;
    bool ReadBool(std::uint32_t id, bool& value) const;
    bool ReadDouble(std::uint32_t id, double& value) const;
    bool ReadWideString(std::uint32_t id, WideString& text) const;
    // Any type whose stored size is exactly count.
    bool ReadBinary(std::uint32_t id, void* buffer, std::uint32_t count) const;

    // For inspection: the items of the root and the node store.
    const TKelvoSDFItems& Root() const { return root_; }
    const std::vector<TKelvoSDFNode>& Nodes() const { return nodes_; }
    bool AtRoot() const { return current_ < 0; }

private:
    void Parse();
    TKelvoSDFItems& ItemsOf(std::int32_t node) { return node < 0 ? root_ : nodes_[std::size_t(node)].Items; }
    const TKelvoSDFItems& ItemsOf(std::int32_t node) const {
        return node < 0 ? root_ : nodes_[std::size_t(node)].Items;
    }
    const TKelvoSDFElement* Find(std::uint32_t id) const;
    // Reads an integer payload of an accepted integer type; false for anything else.
    bool IntegerOf(const TKelvoSDFElement& e, std::int64_t& value) const;

    std::unique_ptr<TStream> owned_;
    std::vector<Byte> data_;
    TKelvoSDFItems root_;
    std::vector<TKelvoSDFNode> nodes_;
    std::int32_t current_ = -1;
};
