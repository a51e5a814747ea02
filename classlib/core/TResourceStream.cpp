#include "classlib/core/TResourceStream.h"

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringUtils.h"

AnsiString TResourceId::Text() const { return isId_ ? "#" + std::to_string(id_) : name_; }

bool TResourceId::operator==(const TResourceId& other) const {
    if (isId_ != other.isId_) return false;
    if (isId_) return id_ == other.id_;
    return SameTextAscii(name_, other.name_);
}

TResourceStream::TResourceStream(TModuleHandle instance, const TResourceId& name, const TResourceId& type) {
    const void* data = nullptr;
    std::int64_t size = 0;
    if (!classlib::resources::SysFindResource(instance, name, type, data, size, keepAlive_))
        throw EResNotFound("Resource " + name.Text() + " not found");
    SetPointer(const_cast<void*>(data), size);
}

std::int32_t TResourceStream::Write(const void*, std::int32_t) {
    throw EStreamError("Can't write to a read-only resource stream");
}
