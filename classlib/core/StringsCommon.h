// The list rules shared by the 8-bit and the UTF-16 abstract string lists: update brackets, copying lines
// with their objects, searching, moving and comparing lines. Templates over the list class, written against
// its virtual seams (Get, GetObject, Put, PutObject, InsertObject, Delete, Clear, AddObject, CompareStrings),
// so an override in a derived list is honoured exactly as it is by a member function.
#pragma once
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Format.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TFiler.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"

class TObject;

namespace classlib::strings {

template <class List>
using LineOf = std::remove_cvref_t<decltype(std::declval<const List&>().Get(0))>;

// Nested update brackets: only the outermost opens and closes the list's update state; a surplus close is
// ignored.
template <class List>
void OpenUpdate(List& list, int& updateCount) {
    if (updateCount == 0) list.SetUpdateState(true);
    ++updateCount;
}

template <class List>
void CloseUpdate(List& list, int& updateCount) {
    if (updateCount == 0) return;
    --updateCount;
    if (updateCount == 0) list.SetUpdateState(false);
}

[[noreturn]] inline void RaiseListError(const AnsiString& message, int data) {
    throw EStringListError(Format(message, {data}));
}

// Base Put: delete and insert, keeping the object.
template <class List, class S>
void ReplaceLine(List& list, int index, const S& s) {
    TObject* obj = list.GetObject(index);
    list.Delete(index);
    list.InsertObject(index, s, obj);
}

template <class List>
std::vector<LineOf<List>> LinesOf(const List& list) {
    std::vector<LineOf<List>> lines;
    const int n = list.GetCount();
    lines.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) lines.push_back(list.Get(i));
    return lines;
}

// Every line followed by CR LF.
template <class List>
LineOf<List> TextOf(const List& list) {
    using S = LineOf<List>;
    using C = typename S::value_type;
    S text;
    const int n = list.GetCount();
    for (int i = 0; i < n; ++i) {
        text += list.Get(i);
        text += C('\r');
        text += C('\n');
    }
    return text;
}

// Clears the list and adds the lines, in one update bracket.
template <class List, class S>
void ReplaceLines(List& list, const std::vector<S>& lines) {
    TUpdateGuard update(list);
    list.Clear();
    for (const S& line : lines) list.Add(line);
}

template <class S>
using Items = std::vector<std::pair<S, TObject*>>;

// The lines of source with their objects, each line passed through convert (a copy taken first, so that a
// list can be added to itself).
template <class List, class Convert>
auto CopyItems(const List& source, Convert&& convert) {
    using S = std::remove_cvref_t<decltype(convert(source.Get(0)))>;
    const int n = source.GetCount();
    Items<S> copy;
    copy.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) copy.emplace_back(convert(source.Get(i)), source.GetObject(i));
    return copy;
}

template <class List, class S>
void AddItems(List& list, const Items<S>& items) {
    TUpdateGuard update(list);
    for (auto& [s, obj] : items) list.AddObject(s, obj);
}

// Adds the lines and objects of source (may be null) to list.
template <class List, class Source, class Convert>
void AddLinesOf(List& list, const Source* source, Convert&& convert) {
    if (!source) return;
    AddItems(list, CopyItems(*source, convert));
}

// Replaces the lines and objects of list by those of source.
template <class List, class S>
void ReplaceItems(List& list, const Items<S>& items) {
    TUpdateGuard update(list);
    list.Clear();
    for (auto& [s, obj] : items) list.AddObject(s, obj);
}

// Assign from another list: cleared, the separators taken over (takeSettings), then the source's lines added
// through the list's own AddStrings.
template <class List, class Source, class TakeSettings>
void AssignLines(List& list, Source* source, TakeSettings&& takeSettings) {
    TUpdateGuard update(list);
    list.Clear();
    takeSettings();
    list.AddStrings(source);
}

template <class List>
void ExchangeLines(List& list, int index1, int index2) {
    TUpdateGuard update(list);
    const LineOf<List> s = list.Get(index1);
    TObject* obj = list.GetObject(index1);
    list.Put(index1, list.Get(index2));
    list.PutObject(index1, list.GetObject(index2));
    list.Put(index2, s);
    list.PutObject(index2, obj);
}

template <class List>
void MoveLine(List& list, int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    TUpdateGuard update(list);
    const LineOf<List> s = list.Get(curIndex);
    TObject* obj = list.GetObject(curIndex);
    if (newIndex < 0 || newIndex >= list.GetCount()) RaiseListError("List index out of bounds (%d)", newIndex);
    list.Delete(curIndex);
    list.InsertObject(newIndex, s, obj);
}

// The first index for which match(i) holds; -1 when there is none.
template <class List, class Match>
int FindIndex(const List& list, Match&& match) {
    const int n = list.GetCount();
    for (int i = 0; i < n; ++i) {
        if (match(i)) return i;
    }
    return -1;
}

template <class List, class S>
int IndexOfLine(const List& list, const S& s) {
    return FindIndex(list, [&](int i) { return list.CompareStrings(list.Get(i), s) == 0; });
}

template <class List, class S, class C>
int IndexOfNamedLine(const List& list, const S& name, C separator) {
    return FindIndex(list, [&](int i) {
        const S s = list.Get(i);
        const std::size_t sep = s.find(separator);
        return sep != S::npos && list.CompareStrings(s.substr(0, sep), name) == 0;
    });
}

template <class List>
int IndexOfLineObject(const List& list, TObject* obj) {
    return FindIndex(list, [&](int i) { return list.GetObject(i) == obj; });
}

// Same count and the same lines, unit for unit (objects are not compared).
template <class List>
bool SameLines(const List& list, const List* other) {
    if (!other) return false;
    const int n = list.GetCount();
    if (n != other->GetCount()) return false;
    for (int i = 0; i < n; ++i) {
        if (list.Get(i) != other->Get(i)) return false;
    }
    return true;
}

// The value of the first line named name; empty when there is none.
template <class List, class S>
S ValueOfName(const List& list, const S& name) {
    const int i = list.IndexOfName(name);
    return i < 0 ? S() : list.ValueFromIndex(i);
}

// The "Strings" entry of a list: written when the list has lines, or differs from the ancestor's. read
// gives the next value of the reader, write writes one line.
template <class List, class Read, class Write>
void DefineLinesProperty(List& list, TFiler* filer, Read&& read, Write&& write) {
    bool hasData = list.GetCount() > 0;
    if (auto* ancestor = dynamic_cast<List*>(filer->Ancestor())) hasData = !list.Equals(ancestor);
    filer->DefineProperty(
        "Strings",
        [&list, read](TReader& reader) {
            reader.ReadListBegin();
            TUpdateGuard update(list);
            list.Clear();
            while (!reader.EndOfList()) list.Add(read(reader));
            reader.ReadListEnd();
        },
        [&list, write](TWriter& writer) {
            writer.WriteListBegin();
            const int n = list.GetCount();
            for (int i = 0; i < n; ++i) write(writer, list.Get(i));
            writer.WriteListEnd();
        },
        hasData);
}

}  // namespace classlib::strings
