#include "tests/unicode/core/SystemCodePage.h"

#include "classlib/core/CodePages.h"

namespace unitest {

ScopedSystemCodePage::ScopedSystemCodePage(std::uint32_t codePage) : backend_(GetCodePageBackend()) {
    SetCodePageBackend(nullptr);
    previous_ = SystemAnsiCodePage();
    SetSystemAnsiCodePage(codePage);
}

ScopedSystemCodePage::~ScopedSystemCodePage() {
    SetSystemAnsiCodePage(previous_);
    SetCodePageBackend(backend_);
}

}  // namespace unitest
