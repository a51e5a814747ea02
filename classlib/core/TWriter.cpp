#include "classlib/core/TWriter.h"

#include "classlib/core/Checked.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TCollection.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TypInfo.h"

void TWriter::WriteValue(TValueType value) {
    const std::uint8_t b = value;
    stream_.WriteBuffer(&b, 1);
}

void TWriter::WriteUInt32(std::uint32_t v) {
    const Byte b[4] = {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)};
    stream_.WriteBuffer(b, 4);
}

void TWriter::WriteInteger(std::int64_t value) {
    if (value >= INT8_MIN && value <= INT8_MAX) {
        WriteValue(vaInt8);
        const Byte b = Byte(std::int8_t(value));
        stream_.WriteBuffer(&b, 1);
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        WriteValue(vaInt16);
        const std::uint16_t v = std::uint16_t(value);
        const Byte b[2] = {Byte(v), Byte(v >> 8)};
        stream_.WriteBuffer(b, 2);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        WriteValue(vaInt32);
        WriteUInt32(std::uint32_t(value));
    } else {
        WriteValue(vaInt64);
        WriteUInt32(std::uint32_t(std::uint64_t(value)));
        WriteUInt32(std::uint32_t(std::uint64_t(value) >> 32));
    }
}

void TWriter::WriteFloat(double value) {
    WriteValue(vaExtended);
    Byte raw[10];
    classlib::filer::DoubleToExtended(value, raw);
    stream_.WriteBuffer(raw, 10);
}

void TWriter::WriteString(const AnsiString& value) {
    if (value.size() <= 255) {
        WriteValue(vaString);
        const Byte n = Byte(value.size());
        stream_.WriteBuffer(&n, 1);
    } else {
        WriteValue(vaLString);
        WriteUInt32(CheckedCast<std::uint32_t>(value.size()));
    }
    stream_.WriteBuffer(value.data(), CheckedCast<std::int32_t>(value.size()));
}

void TWriter::WriteWideString(const WideString& value) {
    WriteValue(vaWString);
    WriteUInt32(CheckedCast<std::uint32_t>(value.size()));
    std::vector<Byte> raw(value.size() * 2);
    for (std::size_t i = 0; i < value.size(); ++i) {
        raw[2 * i] = Byte(value[i]);
        raw[2 * i + 1] = Byte(value[i] >> 8);
    }
    stream_.WriteBuffer(raw.data(), CheckedCast<std::int32_t>(raw.size()));
}

void TWriter::WriteUTF8String(const AnsiString& utf8) {
    WriteValue(vaUTF8String);
    WriteUInt32(CheckedCast<std::uint32_t>(utf8.size()));
    stream_.WriteBuffer(utf8.data(), CheckedCast<std::int32_t>(utf8.size()));
}

void TWriter::WriteIdent(const AnsiString& ident) {
    auto same = [&](const char* word) {
        AnsiString a = ident, b = word;
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
        return true;
    };
    if (same("False")) return WriteValue(vaFalse);
    if (same("True")) return WriteValue(vaTrue);
    if (same("nil")) return WriteValue(vaNil);
    if (same("Null")) return WriteValue(vaNull);
    WriteValue(vaIdent);
    WriteStr(ident);
}

void TWriter::WriteSet(std::uint32_t value, const std::vector<AnsiString>& names) {
    WriteValue(vaSet);
    for (std::size_t i = 0; i < names.size() && i < 32; ++i)
        if (value & (1u << i)) WriteStr(names[i]);
    WriteStr(AnsiString());
}

void TWriter::WriteStr(const AnsiString& value) {
    if (value.size() > 255) throw EWriteError("Name too long for the property stream: " + value.substr(0, 32));
    const Byte n = Byte(value.size());
    stream_.WriteBuffer(&n, 1);
    stream_.WriteBuffer(value.data(), std::int32_t(value.size()));
}

void TWriter::WriteSignature() { stream_.WriteBuffer(FilerSignature, 4); }

void TWriter::WritePrefix(std::uint8_t flags, std::int32_t childPos) {
    if (flags == 0) return;
    const Byte b = Byte(0xF0 | (flags & 0x0F));
    stream_.WriteBuffer(&b, 1);
    if (flags & ffChildPos) WriteInteger(childPos);
}

void TWriter::WritePropName(const AnsiString& name) { WriteStr(propPath_ + name); }

void TWriter::DefineProperty(const AnsiString& name, const TReaderProc&, const TWriterProc& write, bool hasData) {
    if (!hasData || !write) return;
    WritePropName(name);
    write(*this);
}

void TWriter::DefineBinaryProperty(const AnsiString& name, const TStreamProc&, const TStreamProc& write, bool hasData) {
    if (!hasData || !write) return;
    TMemoryStream bytes;
    write(bytes);
    WritePropName(name);
    WriteValue(vaBinary);
    WriteUInt32(CheckedCast<std::uint32_t>(bytes.Size()));
    bytes.SaveToStream(stream_);
}

void TWriter::WritePropValue(TPersistent* instance, const TPropInfo& info) {
    switch (info.Kind) {
        case tkInteger: WriteInteger(info.GetOrd(instance)); return;
        case tkEnumeration: {
            const std::int64_t v = info.GetOrd(instance);
            if (v < 0 || std::size_t(v) >= info.EnumNames.size())
                throw EWriteError("Invalid value of property " + info.Name);
            WriteIdent(info.EnumNames[std::size_t(v)]);
            return;
        }
        case tkSet: WriteSet(std::uint32_t(info.GetOrd(instance)), info.EnumNames); return;
        case tkFloat: WriteFloat(info.GetFloat(instance)); return;
        case tkString: WriteString(info.GetStr(instance)); return;
        case tkWString: WriteWideString(info.GetWStr(instance)); return;
        case tkWChar: WriteWideString(WideString(1, WideChar(info.GetOrd(instance)))); return;
        case tkClass:
        case tkMethod: return;
    }
}

void TWriter::WriteProperties(TPersistent* instance) {
    auto level = EnterLevel<EWriteError>("Owned objects nest too deep");
    for (const TPropInfo* info : GetPropList(instance->ClassType())) {
        if (info->Kind == tkMethod) continue;
        if (info->Kind == tkClass) {
            TPersistent* sub = info->GetObject ? info->GetObject(instance) : nullptr;
            if (!sub) continue;
            if (sub->Is<TCollection>()) {
                WritePropName(info->Name);
                WriteCollection(static_cast<TCollection*>(sub));
                continue;
            }
            TScopeExit restore([this, saved = propPath_] { propPath_ = saved; });
            propPath_ += info->Name + ".";
            WriteProperties(sub);
            continue;
        }
        WritePropName(info->Name);
        WritePropValue(instance, *info);
    }
    instance->DefineProperties(this);
}

void TWriter::WriteCollection(TCollection* collection) {
    WriteValue(vaCollection);
    // Items are written from the top level of names: their properties are not under the owner's path.
    {
        TScopeExit restore([this, saved = propPath_] { propPath_ = saved; });
        propPath_.clear();
        for (int i = 0; i < collection->Count(); ++i) {
            WriteListBegin();
            WriteProperties(collection->Items(i));
            WriteListEnd();
        }
    }
    WriteListEnd();
}

void TWriter::WriteComponent(TComponent* component) {
    WriteStr(component->ClassName());
    WriteStr(component->Name());
    component->IncludeState(csWriting);
    TScopeExit written([component] { component->ExcludeState(csWriting); });
    WriteProperties(component);
    WriteListEnd();
    if (!ignoreChildren_) component->GetChildren(MakeMethod<&TWriter::WriteChild>(this), root_);
    WriteListEnd();
}

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor) {
    root_ = root;
    lookupRoot_ = root;
    ancestor_ = ancestor;
    WriteSignature();
    WriteComponent(root);
}

void TWriter::WriteRootComponent(TComponent* root) { WriteDescendent(root, nullptr); }
