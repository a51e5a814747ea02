// Reads property streams: values, published and defined properties, and whole components.
// The bytes may come from outside (files, resources), so every length is checked against what the
// stream still holds before anything is allocated or read, nesting is bounded, and every malformed
// input raises EReadError (EClassNotFound for an unknown class) instead of reading past the data.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/TFiler.h"

struct TPropInfo;
class TCollection;

class TReader : public TFiler {
    CLASSLIB_CLASS(TReader, TFiler)
public:
    explicit TReader(TStream& stream) : TFiler(stream) {}

    // While a property is read, the entry of that name (ASCII case ignored) runs its read handler.
    void DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc& write,
                              bool hasData) override;

    // Values.
    TValueType NextValue();  // the next type byte, without taking it
    TValueType ReadValue();  // takes the next type byte; an unknown code raises
    void CheckValue(TValueType expected);
    bool EndOfList() { return NextValue() == vaNull; }
    void ReadListBegin() { CheckValue(vaList); }
    void ReadListEnd() { CheckValue(vaNull); }
    bool ReadBoolean();
    std::int32_t ReadInteger();  // any integer value within int32
    std::int64_t ReadInt64();
    double ReadFloat();  // an extended value or an integer
    // An 8-bit (6, 12), wide (18) or UTF-8 (20) string; wide and UTF-8 ones are narrowed to the system
    // code page.
    AnsiString ReadString();
    // The same values, widened: 8-bit ones from the system code page.
    WideString ReadWideString();
    // An identifier, or the words False, True, nil and Null for those values.
    AnsiString ReadIdent();
    // A set value: the bits of the names in names; an unknown name raises.
    std::uint32_t ReadSet(const std::vector<AnsiString>& names);
    // Skips one value of any type, nested lists and collections included.
    void SkipValue();

    // Raw parts of the format.
    AnsiString ReadStr();  // 1-byte length and the bytes (property, class and component names)
    void ReadSignature();  // "TPF0"
    void ReadPrefix(std::uint8_t& flags, std::int32_t& childPos);
    void Read(void* buffer, std::int32_t count);

    // Properties: ReadProperty reads one (a published property, a dotted path into an owned
    // object, or a DefineProperties entry); ReadProperties reads up to the end of the list.
    void ReadProperty(TPersistent* instance);
    void ReadProperties(TPersistent* instance);
    // The name of the entry being read (for DefineProperty handlers).
    const AnsiString& PropName() const { return propName_; }

    // Collection items (vaCollection): the collection is cleared and gets one new item per entry,
    // inside one update bracket.
    void ReadCollection(TCollection* collection);

    // Components: the signature, the root's header, properties and children. Without a root the
    // stream's class is created. Every component read gets csLoading and csReading meanwhile and
    // Loaded afterwards, the root first. A failure frees what this read created and clears the
    // states it set.
    TComponent* ReadRootComponent(TComponent* root);
    // One component (header, properties, children) into component, or a new one owned by Owner().
    TComponent* ReadComponent(TComponent* component);

    // The component that owns created components (the root by default) and the parent of the
    // components being read.
    TComponent* Owner() const { return owner_; }
    void SetOwner(TComponent* owner) { owner_ = owner; }
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* parent) { parent_ = parent; }

private:
    std::uint8_t ReadByte();
    std::uint32_t ReadUInt32();
    // Checks that count elements of elementSize bytes remain and returns count as a size.
    std::int32_t CheckedCount(std::int64_t count, std::int64_t elementSize);
    void ReadPropValue(TPersistent* instance, const TPropInfo& info);
    void ReadComponentData(TComponent* component);
    void FreeCreatedFrom(std::size_t mark);

    AnsiString propName_;
    bool propHandled_ = false;
    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    std::vector<TComponent*> loaded_;   // read so far, in reading order: they get Loaded at the end
    std::vector<TComponent*> created_;  // created by this read, in creation order
};
