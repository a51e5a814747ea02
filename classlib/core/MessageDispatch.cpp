#include "classlib/core/MessageDispatch.h"

const TMessageEntry* TMessageTable::Find(std::uint32_t msg) const {
    for (std::size_t i = 0; i < Count; ++i)
        if (Entries[i].Msg == msg) return &Entries[i];
    return nullptr;
}

bool DispatchFromTable(const TMessageTable* table, TObject* object, TMessage& message) {
    for (; table; table = table->Parent) {
        if (const TMessageEntry* entry = table->Find(message.Msg)) {
            entry->Handler(object, message);
            return true;
        }
    }
    return false;
}
