// A small keyed store of typed values: each item has an integer id, a type code, a byte size and its bytes.
// Documents keep image properties in it, demonstration scripts their command parameters.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/IInterface.h"
#include "classlib/core/TVariant.h"
#include "classlib/core/Types.h"

// Type codes the bag knows; any other code is kept and copied as opaque bytes.
enum : std::int32_t {
    kpInteger = 5,     // int32, 4 bytes
    kpDouble = 10,     // 64-bit float, 8 bytes
    kpString = 11,     // ANSI text, its length, no terminator
    kpInterface = 16,  // interface reference, held counted by the item
};

struct TKelvoPropertyItem {
    std::int32_t Id = 0;
    std::int32_t Type = 0;
    std::vector<Byte> Data;  // Size() bytes
    // Only for items made by SetInterface: bytes from outside never become a reference.
    IPtr<IInterface> Interface;

    std::uint32_t Size() const { return std::uint32_t(Data.size()); }
};

class TKelvoCustomProperties {
public:
    TKelvoCustomProperties() = default;
    TKelvoCustomProperties(const TKelvoCustomProperties&) = delete;
    TKelvoCustomProperties& operator=(const TKelvoCustomProperties&) = delete;
    virtual ~TKelvoCustomProperties();

    // Replaces the item with the id in place (after FreeValue) or appends a new one. A type-16 item set
    // here holds plain bytes, not a reference.
    void SetValue(std::int32_t id, std::int32_t type, std::uint32_t size, const void* data);
    void SetInteger(std::int32_t id, std::int32_t value);
    void SetDouble(std::int32_t id, double value);
    void SetString(std::int32_t id, const AnsiString& text);
    // A type-16 item holding its own counted reference to the interface.
    void SetInterface(std::int32_t id, IPtr<IInterface> value);

    // True, with the bytes copied, when the item exists with exactly that type and size.
    bool GetValue(std::int32_t id, void* data, std::int32_t type, std::uint32_t size) const;
    // True, with the stored size, when the item exists with that type.
    bool GetValueSize(std::int32_t id, std::uint32_t& size, std::int32_t type) const;
    // The reference of an item made by SetInterface, else null.
    IPtr<IInterface> GetInterface(std::int32_t id) const;

    // The index of the item with the id; -1 when absent.
    std::int32_t IndexOf(std::int32_t id) const;
    bool Exists(std::int32_t id) const { return IndexOf(id) >= 0; }
    bool FindItem(std::int32_t id, const TKelvoPropertyItem*& item) const;
    std::int32_t GetCount() const { return std::int32_t(items_.size()); }
    // Items in insertion order; a bad index raises ERangeError.
    const TKelvoPropertyItem& GetItem(std::int32_t index) const;
    // Type 5 -> integer, 10 -> double, 11 -> string; anything else, an item whose size does not match its
    // type, or an index out of range -> empty.
    TVariant GetAsVariant(std::int32_t index) const;

    void Delete(std::int32_t id);
    void Clear();
    // Clear, then every item of the source in order; interface items take references of their own.
    virtual void Assign(const TKelvoCustomProperties& source);

protected:
    // Called before an item's value is dropped or replaced.
    virtual void FreeValue(TKelvoPropertyItem& item) {}

private:
    TKelvoPropertyItem& Slot(std::int32_t id);
    std::vector<TKelvoPropertyItem> items_;
    // Ids are unique. While every item was added with an id above the last one (script parameters are keyed
    // 0, 1, 2 ...), the items are sorted by id and looked up by halving, so filling a bag of n items costs
    // n log n instead of n squared; any other order falls back to the linear search.
    bool idsAscending_ = true;
};

class TKelvoProperties : public TKelvoCustomProperties {
public:
    ~TKelvoProperties() override;

protected:
    // Releases the interface held by a type-16 item.
    void FreeValue(TKelvoPropertyItem& item) override;
};
