// Writes property streams: values, published and defined properties, and whole components, in the
// format TReader reads.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/TFiler.h"

struct TPropInfo;
class TCollection;

class TWriter : public TFiler {
    CLASSLIB_CLASS(TWriter, TFiler)
public:
    explicit TWriter(TStream& stream) : TFiler(stream) {}

    // Writes the entry (its name, then what write puts) when hasData and write is given.
    void DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;
    // Writes the entry as a binary value: write fills a memory stream whose bytes follow the length.
    void DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc& write,
                              bool hasData) override;

    // Values.
    void WriteValue(TValueType value);
    void WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
    // The smallest integer type that holds the value.
    void WriteInteger(std::int64_t value);
    void WriteFloat(double value);
    // Short (6) up to 255 bytes, else long (12).
    void WriteString(const AnsiString& value);
    // Wide string (18): 32-bit length in characters, then UTF-16LE.
    void WriteWideString(const WideString& value);
    void WriteUTF8String(const AnsiString& utf8);
    // An identifier; False, True, nil and Null become their own value types.
    void WriteIdent(const AnsiString& ident);
    // The names of the bits set in value (bit i = names[i]).
    void WriteSet(std::uint32_t value, const std::vector<AnsiString>& names);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }

    // Raw parts of the format.
    void WriteStr(const AnsiString& value);  // 1-byte length; longer than 255 bytes raises EWriteError
    void WriteSignature();
    void WritePrefix(std::uint8_t flags, std::int32_t childPos);
    void WritePropName(const AnsiString& name);
    void Write(const void* buffer, std::int32_t count) { stream_.WriteBuffer(buffer, count); }

    // Every published property of instance (owned objects as "Name.Sub" entries), then its
    // DefineProperties entries. Events are not written.
    void WriteProperties(TPersistent* instance);
    // A collection as vaCollection: each item's properties as a list, then the end.
    void WriteCollection(TCollection* collection);
    // A component: header, properties, end, its children (GetChildren), end.
    void WriteComponent(TComponent* component);
    // The signature and the root component, as ReadRootComponent reads it.
    void WriteRootComponent(TComponent* root);
    void WriteDescendent(TComponent* root, TComponent* ancestor);

private:
    void WriteUInt32(std::uint32_t value);
    void WritePropValue(TPersistent* instance, const TPropInfo& info);
    void WriteChild(TComponent* child) { WriteComponent(child); }

    AnsiString propPath_;  // "Font." while an owned object's properties are written
};
