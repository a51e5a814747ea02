// Dereferences a null pointer on purpose: the harness must report this binary as failed at once.
#include <cstdio>

int main() {
    std::puts("about to crash");
    std::fflush(stdout);
    volatile int* p = nullptr;
    *p = 42;
    return 0;
}
