#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unicode/core/RetiringOwner.h"

using namespace uni;

namespace {

struct Trap;
using Owner = TRetiringOwner<const void*, Trap>;

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Stands for a window trap: busy while a message runs through it; its destructor reaches the owner again.
struct Trap {
    Trap(std::string n, Owner* o) : name(std::move(n)), owner(o) {}
    std::string name;
    Owner* owner = nullptr;
    int depth = 0;
    ~Trap() {
        Log().push_back("free " + name);
        if (owner) {
            owner->Find(this);
            owner->Sweep([](const Trap& t) { return t.depth == 0; });
        }
    }
};

bool NotBusy(const Trap& t) { return t.depth == 0; }

TEST(RetiringOwner, ARetiredObjectIsFreedOnlyOnceNoCallOnItRuns) {
    Log().clear();
    Owner owner;
    int subject = 0;
    Trap* trap = owner.Add(&subject, std::make_unique<Trap>("a", &owner));
    EXPECT_EQ(owner.Find(&subject), trap);
    // The subject goes while a message runs through the trap: it is retired, not freed.
    trap->depth = 1;
    owner.Retire(&subject, trap);
    EXPECT_EQ(owner.Find(&subject), nullptr);
    owner.Sweep(&NotBusy);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(trap->name, "a");  // still alive: read under the address sanitizer
    // The call ends; the next sweep frees it (and its destructor may use the owner).
    trap->depth = 0;
    owner.Sweep(&NotBusy);
    EXPECT_EQ(Log(), std::vector<std::string>{"free a"});
    EXPECT_EQ(owner.RetiredCount(), 0u);
}

TEST(RetiringOwner, ANewSubjectAtTheSameAddressGetsANewObject) {
    Log().clear();
    Owner owner;
    int subject = 0;
    Trap* old = owner.Add(&subject, std::make_unique<Trap>("old", &owner));
    old->depth = 1;
    owner.Retire(&subject, old);
    Trap* fresh = owner.Add(&subject, std::make_unique<Trap>("new", &owner));
    EXPECT_NE(fresh, old);
    EXPECT_EQ(owner.Find(&subject), fresh);
    // Retiring the old one again (a late notification) leaves the new one alone.
    owner.Retire(&subject, old);
    EXPECT_EQ(owner.Find(&subject), fresh);
    old->depth = 0;
    owner.ReleaseAll(&NotBusy);
    EXPECT_EQ(owner.LiveCount() + owner.RetiredCount(), 0u);
    EXPECT_EQ(Log().size(), 2u);
}

TEST(RetiringOwner, ShutdownKeepsObjectsThatAreStillBusy) {
    Log().clear();
    Owner owner;
    int a = 0, b = 0;
    owner.Add(&a, std::make_unique<Trap>("a", nullptr));
    owner.Add(&b, std::make_unique<Trap>("b", nullptr))->depth = 1;
    owner.ReleaseAll(&NotBusy);
    EXPECT_EQ(Log(), std::vector<std::string>{"free a"});
    EXPECT_EQ(owner.RetiredCount(), 1u);
}

}  // namespace
