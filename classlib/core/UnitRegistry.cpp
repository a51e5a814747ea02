#include "classlib/core/UnitRegistry.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"

namespace classlib {
namespace {

struct Unit {
    AnsiString name;
    UnitProc init;
    UnitProc fini;
    int order = 0;
    std::size_t sequence = 0;
    bool started = false;
};

struct Registry {
    std::vector<std::unique_ptr<Unit>> units;  // stable addresses: an init may register more
    std::vector<AnsiString> startOrder;        // names, in the order their inits finished
    std::size_t sequence = 0;
    bool running = false;  // between Startup and Shutdown
};

Registry& Units() {
    static Registry registry;
    return registry;
}

Unit* FindUnit(const AnsiString& name) {
    for (auto& u : Units().units) {
        if (u->name == name) return u.get();
    }
    return nullptr;
}

void StartUnit(Unit& unit) {
    if (unit.init) unit.init();
    unit.started = true;
    Units().startOrder.push_back(unit.name);
}

void StopUnits(std::size_t downTo) {
    Registry& r = Units();
    std::exception_ptr first;
    while (r.startOrder.size() > downTo) {
        const AnsiString name = r.startOrder.back();
        r.startOrder.pop_back();
        Unit* u = FindUnit(name);
        if (!u) continue;
        u->started = false;
        UnitProc fini = u->fini;
        try {
            if (fini) fini();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

}  // namespace

void RegisterUnit(const AnsiString& name, UnitProc init, UnitProc fini, int order) {
    Registry& r = Units();
    if (FindUnit(name)) throw EInvalidOperation("Unit " + name + " is registered twice");
    r.units.push_back(std::make_unique<Unit>(Unit{name, std::move(init), std::move(fini), order, r.sequence++, false}));
    if (r.running) StartUnit(*r.units.back());
}

void Startup() {
    Registry& r = Units();
    const std::size_t before = r.startOrder.size();
    r.running = true;
    // A failed start stops again what it started; the start-up failure is the one reported.
    TScopeExit undo([&] {
        r.running = false;
        StopUnits(before);
    });
    while (true) {
        // The next unit to start: lowest order, then earliest registration. Re-evaluated after every
        // init, since an init may register further units.
        Unit* next = nullptr;
        for (auto& u : r.units) {
            if (u->started) continue;
            if (!next || u->order < next->order || (u->order == next->order && u->sequence < next->sequence))
                next = u.get();
        }
        if (!next) break;
        StartUnit(*next);
    }
    undo.Dismiss();
}

void Shutdown() {
    Registry& r = Units();
    r.running = false;
    StopUnits(0);
}

bool IsUnitStarted(const AnsiString& name) {
    const Unit* u = FindUnit(name);
    return u && u->started;
}

void ResetUnits() {
    Registry& r = Units();
    r.units.clear();
    r.startOrder.clear();
    r.running = false;
}

}  // namespace classlib
