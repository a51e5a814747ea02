#include "classlib/core/CallbackExceptions.h"

#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"
#include "classlib/core/TObject.h"

namespace {

struct Recorder {
    TObject* sender = nullptr;
    AnsiString message;
    bool rethrow = false;
    void Handle(TObject* s) {
        sender = s;
        try {
            throw;
        } catch (const Exception& e) {
            message = e.Message();
        }
        if (rethrow) throw EInvalidOperation("handler failed");
    }
};

TEST(CallbackExceptions, InstalledHandlerSeesSenderAndException_AndNothingEscapes) {
    Recorder rec;
    TObject sender;
    TCallbackExceptionHandler old = SetCallbackExceptionHandler(MakeMethod<&Recorder::Handle>(&rec));
    try {
        throw EInvalidOperation("boom");
    } catch (...) {
        HandleCallbackException(&sender);
    }
    EXPECT_EQ(rec.sender, &sender);
    EXPECT_EQ(rec.message, "boom");

    // A handler that fails must not let its own exception out of the callback.
    rec.rethrow = true;
    EXPECT_NO_THROW({
        try {
            throw EInvalidOperation("again");
        } catch (...) {
            HandleCallbackException(nullptr);
        }
    });
    EXPECT_EQ(rec.message, "again");

    // Restoring the default handler: reports without calling the recorder.
    SetCallbackExceptionHandler(old);
    rec.message.clear();
    try {
        throw EInvalidOperation("to stderr");
    } catch (...) {
        HandleCallbackException(nullptr);
    }
    EXPECT_TRUE(rec.message.empty());
}

}  // namespace
