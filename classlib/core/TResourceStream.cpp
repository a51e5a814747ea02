#include "classlib/core/TResourceStream.h"

#include "classlib/core/Exceptions.h"

namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

}  // namespace

AnsiString TResourceId::Text() const { return isId_ ? "#" + std::to_string(id_) : name_; }

bool TResourceId::operator==(const TResourceId& other) const {
    if (isId_ != other.isId_) return false;
    if (isId_) return id_ == other.id_;
    if (name_.size() != other.name_.size()) return false;
    for (std::size_t i = 0; i < name_.size(); ++i)
        if (FoldAscii(name_[i]) != FoldAscii(other.name_[i])) return false;
    return true;
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
