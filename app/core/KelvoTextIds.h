// The program's text ids, each defined once (in KelvoTextIds.inc): the constants the code asks the localizer
// with, and KelvoTextIds, every id in one table, by which the language files are checked.
#pragma once
#include <cstdint>

#define KELVO_TEXT(name, id) inline constexpr std::int32_t name = id;
#define KELVO_TEXT_RUN(name, first, count) inline constexpr std::int32_t name = first;
#include "app/core/KelvoTextIds.inc"
#undef KELVO_TEXT
#undef KELVO_TEXT_RUN

// A run of consecutive text ids (Count 1 for a single one).
struct TKelvoTextIdRun {
    std::int32_t First;
    std::int32_t Count;
};

inline constexpr TKelvoTextIdRun KelvoTextIds[] = {
#define KELVO_TEXT(name, id) {id, 1},
#define KELVO_TEXT_RUN(name, first, count) {first, count},
#include "app/core/KelvoTextIds.inc"
#undef KELVO_TEXT
#undef KELVO_TEXT_RUN
};
