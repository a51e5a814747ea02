// The guarded call into the manager's entry point: a processor fault inside it answers 33668 and the calling
// code goes on with its own registers and stack intact, call after call.
#include <gtest/gtest.h>

#include "scan/win/TwnGuardedCall.h"

namespace {

std::uint16_t WINAPI FaultingEntry(TW_IDENTITY*, TW_IDENTITY*, std::uint32_t, std::uint16_t, std::uint16_t, TW_MEMREF) {
    *static_cast<volatile int*>(nullptr) = 1;
    return TWRC_SUCCESS;
}

// Answers the message number plus the first byte of the data, so arguments that arrive shifted show.
std::uint16_t WINAPI AnsweringEntry(TW_IDENTITY*, TW_IDENTITY*, std::uint32_t, std::uint16_t, std::uint16_t msg,
                                    TW_MEMREF data) {
    return std::uint16_t(msg + *static_cast<const std::uint8_t*>(data));
}

}  // namespace

TEST(TwnGuardedCall, AFaultAnswers33668AndTheCallerKeepsItsStateCallAfterCall) {
    std::uint8_t data = 7;
    // Values the caller holds in registers and on its stack across the calls.
    volatile std::uint32_t sum = 0;
    for (std::uint16_t i = 1; i <= 50; ++i) {
        const std::uint16_t faulted =
            twn::GuardedDSMCall(&FaultingEntry, nullptr, nullptr, DG_CONTROL, DAT_NULL, i, &data);
        ASSERT_EQ(faulted, TWRC_MANAGERFAULT) << "call " << i;
        ASSERT_EQ(twn::GuardedDSMCall(&AnsweringEntry, nullptr, nullptr, DG_CONTROL, DAT_NULL, i, &data), i + 7)
            << "call " << i;
        sum = sum + i;
    }
    EXPECT_EQ(sum, 50u * 51u / 2u);
    EXPECT_EQ(data, 7);
}
