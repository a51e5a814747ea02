// The table of named blobs that stands in for a module's resources where there is no resource
// section. The Windows build consults the real resources instead (classlib/win/ResourcesWin32.cpp)
// but keeps the table so that code registering test blobs links on both.
#include <mutex>

#include "classlib/core/TResourceStream.h"

namespace {

struct Entry {
    TResourceId name;
    TResourceId type;
    std::shared_ptr<const std::vector<Byte>> bytes;
};

struct Table {
    std::mutex lock;
    std::vector<Entry> entries;
};

Table& TheTable() {
    static Table table;
    return table;
}

}  // namespace

void RegisterResource(const TResourceId& name, const TResourceId& type, std::vector<Byte> bytes) {
    auto blob = std::make_shared<const std::vector<Byte>>(std::move(bytes));
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    for (Entry& e : t.entries)
        if (e.name == name && e.type == type) {
            e.bytes = std::move(blob);
            return;
        }
    t.entries.push_back(Entry{name, type, std::move(blob)});
}

void ClearRegisteredResources() {
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    t.entries.clear();
}

#ifndef _WIN32
bool classlib::resources::SysFindResource(TModuleHandle, const TResourceId& name, const TResourceId& type,
                                          const void*& data, std::int64_t& size,
                                          std::shared_ptr<const void>& keepAlive) {
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    for (const Entry& e : t.entries)
        if (e.name == name && e.type == type) {
            data = e.bytes->data();
            size = std::int64_t(e.bytes->size());
            keepAlive = e.bytes;
            return true;
        }
    return false;
}
#endif
