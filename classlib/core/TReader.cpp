#include "classlib/core/TReader.h"

#include <memory>

#include "classlib/core/Checked.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/TCollection.h"
#include "classlib/core/TComponent.h"
#include "classlib/core/TypInfo.h"

namespace {

[[noreturn]] void InvalidValue() { throw EReadError("Invalid property value"); }

}  // namespace

void TReader::Read(void* buffer, std::int32_t count) { stream_.ReadBuffer(buffer, count); }

std::uint8_t TReader::ReadByte() {
    std::uint8_t b;
    stream_.ReadBuffer(&b, 1);
    return b;
}

std::uint32_t TReader::ReadUInt32() {
    Byte b[4];
    stream_.ReadBuffer(b, 4);
    return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
}

std::int32_t TReader::CheckedCount(std::int64_t count, std::int64_t elementSize) {
    if (count < 0 || count > 0x7FFFFFFF || CheckedMul<std::int64_t>(count, elementSize) > stream_.Remaining())
        throw EReadError("Stream read error");
    return std::int32_t(count);
}

TValueType TReader::NextValue() {
    const std::uint8_t code = ReadByte();
    stream_.Seek(-1, soCurrent);
    return TValueType(code);
}

TValueType TReader::ReadValue() {
    const std::uint8_t code = ReadByte();
    if (!IsKnownValueType(code)) InvalidValue();
    return TValueType(code);
}

void TReader::CheckValue(TValueType expected) {
    if (ReadValue() != expected) InvalidValue();
}

bool TReader::ReadBoolean() {
    const TValueType t = ReadValue();
    if (t == vaTrue) return true;
    if (t == vaFalse) return false;
    InvalidValue();
}

std::int64_t TReader::ReadInt64() {
    switch (ReadValue()) {
        case vaInt8: return std::int8_t(ReadByte());
        case vaInt16: {
            const std::uint16_t lo = ReadByte();
            return std::int16_t(lo | (std::uint16_t(ReadByte()) << 8));
        }
        case vaInt32: return std::int32_t(ReadUInt32());
        case vaInt64: {
            const std::uint64_t lo = ReadUInt32();
            return std::int64_t(lo | (std::uint64_t(ReadUInt32()) << 32));
        }
        default: InvalidValue();
    }
}

std::int32_t TReader::ReadInteger() {
    const std::int64_t v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX) InvalidValue();
    return std::int32_t(v);
}

double TReader::ReadFloat() {
    if (NextValue() == vaExtended) {
        ReadValue();
        Byte raw[10];
        stream_.ReadBuffer(raw, 10);
        return classlib::filer::ExtendedToDouble(raw);
    }
    return double(ReadInt64());
}

AnsiString TReader::ReadStr() {
    const std::int32_t n = CheckedCount(ReadByte(), 1);
    AnsiString s(std::size_t(n), '\0');
    stream_.ReadBuffer(s.data(), n);
    return s;
}

AnsiString TReader::ReadString() {
    const TValueType t = ReadValue();
    switch (t) {
        case vaString: {
            const std::int32_t n = CheckedCount(ReadByte(), 1);
            AnsiString s(std::size_t(n), '\0');
            stream_.ReadBuffer(s.data(), n);
            return s;
        }
        case vaLString:
        case vaUTF8String: {
            const std::int32_t n = CheckedCount(ReadUInt32(), 1);
            AnsiString s(std::size_t(n), '\0');
            stream_.ReadBuffer(s.data(), n);
            return t == vaUTF8String ? WideToAnsi(Utf8Decode(s)) : s;
        }
        case vaWString: {
            const std::int32_t n = CheckedCount(ReadUInt32(), 2);
            std::vector<Byte> raw(std::size_t(n) * 2);
            stream_.ReadBuffer(raw.data(), n * 2);
            WideString w(std::size_t(n), u'\0');
            for (std::int32_t i = 0; i < n; ++i) w[std::size_t(i)] = char16_t(raw[2 * i] | (raw[2 * i + 1] << 8));
            return WideToAnsi(w);
        }
        default: InvalidValue();
    }
}

WideString TReader::ReadWideString() {
    const TValueType t = NextValue();
    if (t == vaWString) {
        ReadValue();
        const std::int32_t n = CheckedCount(ReadUInt32(), 2);
        std::vector<Byte> raw(std::size_t(n) * 2);
        stream_.ReadBuffer(raw.data(), n * 2);
        WideString w(std::size_t(n), u'\0');
        for (std::int32_t i = 0; i < n; ++i) w[std::size_t(i)] = char16_t(raw[2 * i] | (raw[2 * i + 1] << 8));
        return w;
    }
    if (t == vaUTF8String) {
        ReadValue();
        const std::int32_t n = CheckedCount(ReadUInt32(), 1);
        AnsiString s(std::size_t(n), '\0');
        stream_.ReadBuffer(s.data(), n);
        return Utf8Decode(s);
    }
    return AnsiToWide(ReadString());
}

AnsiString TReader::ReadIdent() {
    switch (ReadValue()) {
        case vaIdent: return ReadStr();
        case vaFalse: return "False";
        case vaTrue: return "True";
        case vaNil: return "nil";
        case vaNull: return "Null";
        default: InvalidValue();
    }
}

std::uint32_t TReader::ReadSet(const std::vector<AnsiString>& names) {
    CheckValue(vaSet);
    std::uint32_t bits = 0;
    while (true) {
        const AnsiString name = ReadStr();
        if (name.empty()) return bits;
        std::size_t i = 0;
        while (i < names.size() && i < 32 && !SameTextAscii(names[i], name)) ++i;
        if (i == names.size() || i >= 32) InvalidValue();
        bits |= 1u << i;
    }
}

void TReader::SkipValue() {
    auto level = EnterLevel<EReadError>("Stream nesting too deep");
    switch (ReadValue()) {
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil: return;
        case vaList:
            while (!EndOfList()) SkipValue();
            ReadListEnd();
            return;
        case vaInt8: stream_.Seek(CheckedCount(1, 1), soCurrent); return;
        case vaInt16: stream_.Seek(CheckedCount(2, 1), soCurrent); return;
        case vaInt32: stream_.Seek(CheckedCount(4, 1), soCurrent); return;
        case vaInt64: stream_.Seek(CheckedCount(8, 1), soCurrent); return;
        case vaExtended: stream_.Seek(CheckedCount(10, 1), soCurrent); return;
        case vaString:
        case vaIdent: stream_.Seek(CheckedCount(ReadByte(), 1), soCurrent); return;
        case vaBinary:
        case vaLString:
        case vaUTF8String: stream_.Seek(CheckedCount(ReadUInt32(), 1), soCurrent); return;
        case vaWString: stream_.Seek(CheckedCount(ReadUInt32(), 2) * 2LL, soCurrent); return;
        case vaSet:
            while (!ReadStr().empty()) {}
            return;
        case vaCollection:
            // Items: an optional order value, then a list of properties (name, value) up to vaNull.
            while (!EndOfList()) {
                const TValueType t = NextValue();
                if (t == vaInt8 || t == vaInt16 || t == vaInt32) ReadInteger();
                ReadListBegin();
                while (!EndOfList()) {
                    ReadStr();
                    SkipValue();
                }
                ReadListEnd();
            }
            ReadListEnd();
            return;
    }
    InvalidValue();
}

void TReader::ReadSignature() {
    char sig[4];
    stream_.ReadBuffer(sig, 4);
    for (int i = 0; i < 4; ++i)
        if (sig[i] != FilerSignature[i]) throw EReadError("Invalid stream format");
}

void TReader::ReadPrefix(std::uint8_t& flags, std::int32_t& childPos) {
    flags = 0;
    childPos = 0;
    const std::uint8_t b = NextValue();
    if ((b & 0xF0) != 0xF0) return;
    ReadByte();
    flags = b & 0x0F;
    if (flags & ffChildPos) childPos = ReadInteger();
}

void TReader::DefineProperty(const AnsiString& name, const TReaderProc& read, const TWriterProc&, bool) {
    if (propHandled_ || !read || !SameTextAscii(name, propName_)) return;
    propHandled_ = true;
    read(*this);
}

void TReader::DefineBinaryProperty(const AnsiString& name, const TStreamProc& read, const TStreamProc&, bool) {
    if (propHandled_ || !read || !SameTextAscii(name, propName_)) return;
    propHandled_ = true;
    CheckValue(vaBinary);
    const std::int32_t n = CheckedCount(ReadUInt32(), 1);
    // The handler sees exactly the entry's bytes, so it can neither overrun the entry nor leave the
    // reader out of step.
    TMemoryStream bytes;
    bytes.SetSize(n);
    stream_.ReadBuffer(bytes.Memory(), n);
    bytes.SetPosition(0);
    read(bytes);
}

void TReader::ReadProperties(TPersistent* instance) {
    while (!EndOfList()) ReadProperty(instance);
    ReadListEnd();
}

void TReader::ReadProperty(TPersistent* instance) {
    auto level = EnterLevel<EReadError>("Stream nesting too deep");
    const AnsiString path = ReadStr();
    TPersistent* target = instance;
    std::size_t start = 0;
    // Walk "Font.Name" through owned objects.
    for (std::size_t dot; (dot = path.find('.', start)) != AnsiString::npos; start = dot + 1) {
        const AnsiString part = path.substr(start, dot - start);
        const TPropInfo* info = GetPropInfo(target->ClassType(), part);
        TPersistent* next = info && info->Kind == tkClass && info->GetObject ? info->GetObject(target) : nullptr;
        if (!next)
            throw EReadError("Error reading " + instance->ClassName() + "." + path + ": Property " + part +
                             " does not exist");
        target = next;
    }
    const AnsiString name = path.substr(start);
    if (const TPropInfo* info = GetPropInfo(target->ClassType(), name)) {
        try {
            ReadPropValue(target, *info);
        } catch (const EReadError&) {
            throw;
        } catch (const EStreamError&) {
            throw;
        } catch (const Exception& e) {
            // A setter that refuses the value: report it as a reading error of this property.
            throw EReadError("Error reading " + instance->ClassName() + "." + path + ": " + e.Message());
        }
        return;
    }
    const AnsiString savedName = propName_;
    const bool savedHandled = propHandled_;
    propName_ = name;
    propHandled_ = false;
    target->DefineProperties(this);
    const bool handled = propHandled_;
    propName_ = savedName;
    propHandled_ = savedHandled;
    if (!handled)
        throw EReadError("Error reading " + instance->ClassName() + "." + path + ": Property " + name +
                         " does not exist");
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& info) {
    switch (info.Kind) {
        case tkInteger: {
            const std::int64_t v = ReadInt64();
            if (v < info.MinValue || v > info.MaxValue) InvalidValue();
            info.SetOrd(instance, v);
            return;
        }
        case tkEnumeration: {
            const AnsiString ident = ReadIdent();
            for (std::size_t i = 0; i < info.EnumNames.size(); ++i)
                if (SameTextAscii(info.EnumNames[i], ident)) {
                    info.SetOrd(instance, std::int64_t(i));
                    return;
                }
            InvalidValue();
        }
        case tkSet: info.SetOrd(instance, ReadSet(info.EnumNames)); return;
        case tkFloat: info.SetFloat(instance, ReadFloat()); return;
        case tkString: info.SetStr(instance, ReadString()); return;
        case tkWString: info.SetWStr(instance, ReadWideString()); return;
        case tkWChar: {
            const TValueType t = NextValue();
            if (t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64) {
                const std::int64_t v = ReadInt64();
                if (v < 0 || v > 0xFFFF) InvalidValue();
                info.SetOrd(instance, v);
                return;
            }
            const WideString w = ReadWideString();
            if (w.size() != 1) InvalidValue();
            info.SetOrd(instance, w[0]);
            return;
        }
        case tkClass: {
            // An owned object is streamed through its own properties ("Font.Name"); a collection as
            // its items; otherwise only nil stands here.
            TPersistent* object = info.GetObject ? info.GetObject(instance) : nullptr;
            if (NextValue() == vaCollection && object && object->Is<TCollection>()) {
                ReadCollection(static_cast<TCollection*>(object));
                return;
            }
            if (NextValue() != vaNil) InvalidValue();
            ReadValue();
            return;
        }
        case tkMethod:
            // Events are bound in code: a stored handler name is read and dropped.
            SkipValue();
            return;
    }
    InvalidValue();
}

void TReader::ReadCollection(TCollection* collection) {
    CheckValue(vaCollection);
    TUpdateGuard update(*collection);
    collection->Clear();
    while (!EndOfList()) {
        const TValueType t = NextValue();
        if (t == vaInt8 || t == vaInt16 || t == vaInt32) ReadInteger();  // stored order: not needed
        TCollectionItem* item = collection->Add();
        ReadListBegin();
        while (!EndOfList()) ReadProperty(item);
        ReadListEnd();
    }
    ReadListEnd();
}

void TReader::ReadComponentData(TComponent* component) {
    ReadProperties(component);
    TScopeExit restore([this, savedParent = parent_] { parent_ = savedParent; });
    parent_ = component;
    while (!EndOfList()) ReadComponent(nullptr);
    ReadListEnd();
}

void TReader::FreeCreatedFrom(std::size_t mark) {
    // Last created first: children go before the components they were read into.
    while (created_.size() > mark) {
        TComponent* c = created_.back();
        created_.pop_back();
        for (auto it = loaded_.begin(); it != loaded_.end();) it = *it == c ? loaded_.erase(it) : it + 1;
        Free(c);
    }
}

TComponent* TReader::ReadComponent(TComponent* component) {
    auto level = EnterLevel<EReadError>("Stream nesting too deep");
    TScopeExit undo([this, mark = created_.size()] { FreeCreatedFrom(mark); });
    std::uint8_t flags;
    std::int32_t childPos;
    ReadPrefix(flags, childPos);
    const AnsiString className = ReadStr();
    const AnsiString name = ReadStr();
    if (!component && (flags & ffInherited) && root_) component = root_->FindComponent(name);
    if (!component) {
        TClass cls = FindClass(className);
        if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanConstruct())
            throw EReadError("Invalid stream format: " + className + " is not a component class");
        component = static_cast<TComponent*>(cls->Create(owner_));
        created_.push_back(component);
        component->IncludeState(csReading);
        component->Loading();
        component->SetName(name);
    } else {
        component->IncludeState(csReading);
        component->Loading();
    }
    bool known = false;
    for (TComponent* c : loaded_) known = known || c == component;
    if (!known) loaded_.push_back(component);
    if (parent_ && component->HasParent()) component->SetParentComponent(parent_);
    ReadComponentData(component);
    component->ExcludeState(csReading);
    undo.Dismiss();
    return component;
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
    ReadSignature();
    std::uint8_t flags;
    std::int32_t childPos;
    ReadPrefix(flags, childPos);
    const AnsiString className = ReadStr();
    const AnsiString name = ReadStr();
    TObjectPtr<TComponent> createdRoot;
    if (!root) {
        TClass cls = FindClass(className);
        if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanConstruct())
            throw EReadError("Invalid stream format: " + className + " is not a component class");
        createdRoot.reset(static_cast<TComponent*>(cls->Create(nullptr)));
        createdRoot->SetName(name);
        root = createdRoot.get();
    }
    TComponent* savedRoot = root_;
    TComponent* savedOwner = owner_;
    root_ = root;
    lookupRoot_ = root;
    owner_ = root;
    loaded_.clear();
    created_.clear();
    loaded_.push_back(root);
    root->IncludeState(csReading);
    root->Loading();
    TScopeExit undo([&] {
        // What this read created goes again; what existed before stays, and nothing stays marked as
        // being loaded.
        for (TComponent* c : loaded_) {
            c->ExcludeState(csReading);
            c->ExcludeState(csLoading);
        }
        FreeCreatedFrom(0);
        loaded_.clear();
        root_ = savedRoot;
        owner_ = savedOwner;
    });
    ReadComponentData(root);
    undo.Dismiss();
    root->ExcludeState(csReading);
    const std::vector<TComponent*> loaded = std::move(loaded_);
    loaded_.clear();
    created_.clear();
    for (TComponent* c : loaded) c->Loaded();
    root_ = savedRoot;
    owner_ = savedOwner;
    return createdRoot ? createdRoot.release() : root;
}
