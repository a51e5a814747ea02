// A read-only stream over a resource of a module: RT_RCDATA blobs such as language files, image strips
// and logos. In the product the bytes come from the program's resources; the native builds have no
// resource section, so there a table of named blobs, filled with RegisterResource, stands in.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/Stream.h"

// A resource name or type: a name (compared regardless of ASCII case) or a 16-bit number.
class TResourceId {
public:
    TResourceId(int id) : isId_(true), id_(std::uint16_t(id)) {}
    TResourceId(const char* name) : name_(name) {}
    TResourceId(AnsiString name) : name_(std::move(name)) {}
    bool IsId() const { return isId_; }
    std::uint16_t Id() const { return id_; }
    const AnsiString& Name() const { return name_; }
    // "#<number>" for a number, else the name: how the resource is named in error messages.
    AnsiString Text() const;
    bool operator==(const TResourceId& other) const;

private:
    bool isId_ = false;
    std::uint16_t id_ = 0;
    AnsiString name_;
};

// Resource type numbers used by the program.
inline constexpr int rtBitmap = 2;
inline constexpr int rtRCData = 10;

// The module handle of a resource's owner: 0 for the program itself.
using TModuleHandle = std::uintptr_t;

class TResourceStream : public TCustomMemoryStream {
public:
    // Raises EResNotFound "Resource <name> not found" when the module has no such resource.
    TResourceStream(TModuleHandle instance, const TResourceId& name, const TResourceId& type);
    // A stream over resources cannot be written: raises EStreamError.
    std::int32_t Write(const void* buffer, std::int32_t count) override;

private:
    std::shared_ptr<const void> keepAlive_;
};

// Native builds: adds (or replaces) a blob that TResourceStream finds under name and type. Streams
// already open on a replaced blob keep reading the old bytes.
void RegisterResource(const TResourceId& name, const TResourceId& type, std::vector<Byte> bytes);
// Native builds: removes every registered blob.
void ClearRegisteredResources();

namespace classlib::resources {
// The system side: finds the bytes of a resource. keepAlive holds them while a stream reads them (the
// program's own resources need nothing). One implementation per system.
bool SysFindResource(TModuleHandle instance, const TResourceId& name, const TResourceId& type, const void*& data,
                     std::int64_t& size, std::shared_ptr<const void>& keepAlive);
}  // namespace classlib::resources
