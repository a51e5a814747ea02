// Message handlers by number. A class lists its handlers in one static table inside its body:
//
//   class TFoo : public TBar {
//       CLASSLIB_CLASS(TFoo, TBar)
//       CLASSLIB_MESSAGES(TFoo, CLASSLIB_ON(WM_PAINT, &TFoo::WMPaint), CLASSLIB_ON(CM_ENTER, &TFoo::CMEnter))
//       void WMPaint(TMessage& message);
//       ...
//
// TObject::Dispatch runs the handler of the most-derived class whose table lists the message, otherwise
// DefaultHandler. Inside a handler, DispatchInherited<TFoo>(this, message) goes on with the tables of the
// classes above TFoo and ends at DefaultHandler, so a handler chooses whether the inherited handling runs
// before, after or not at all. A class without a table of its own uses its base's.
#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "classlib/core/Messages.h"
#include "classlib/core/TObject.h"

struct TMessageEntry {
    std::uint32_t Msg;
    // Calls the member on the object (which is of the table's class).
    void (*Handler)(TObject* object, TMessage& message);
};

// One class's handlers and the nearest table above it (null at the top).
struct TMessageTable {
    const TMessageEntry* Entries;
    std::size_t Count;
    const TMessageTable* Parent;

    // The handler for msg in this table only, or null.
    const TMessageEntry* Find(std::uint32_t msg) const;
};

// Runs the first handler for message.Msg found from table upwards; false when none lists it.
bool DispatchFromTable(const TMessageTable* table, TObject* object, TMessage& message);

namespace classlib::detail {
template <auto Member>
void CallMessageHandler(TObject* object, TMessage& message) {
    using Target = typename MemberTraits<decltype(Member)>::Class;
    (static_cast<Target*>(object)->*Member)(message);
}
}  // namespace classlib::detail

#define CLASSLIB_ON(msg, member) \
    ::TMessageEntry { static_cast<std::uint32_t>(msg), &::classlib::detail::CallMessageHandler<member> }

// Place after CLASSLIB_CLASS / CLASSLIB_COMPONENT (it relies on their `inherited`); leaves the access public.
#define CLASSLIB_MESSAGES(Name, ...)                                                                             \
    static_assert(std::is_same_v<ClassRecordOwner_, Name>,                                                       \
                  "CLASSLIB_MESSAGES(" #Name ") needs CLASSLIB_CLASS or CLASSLIB_COMPONENT of " #Name " first"); \
                                                                                                                 \
public:                                                                                                          \
    static const ::TMessageTable* StaticMessageTable() {                                                         \
        static const ::TMessageEntry entries[] = {__VA_ARGS__};                                                  \
        static const ::TMessageTable table{entries, sizeof(entries) / sizeof(entries[0]),                        \
                                           inherited::StaticMessageTable()};                                     \
        return &table;                                                                                           \
    }                                                                                                            \
    const ::TMessageTable* MessageTable() const override { return Name::StaticMessageTable(); }

// Continues the dispatch of message with the classes above C; ends at the object's DefaultHandler.
template <class C>
void DispatchInherited(TObject* self, TMessage& message) {
    if (!DispatchFromTable(C::inherited::StaticMessageTable(), self, message)) self->DefaultHandler(message);
}
