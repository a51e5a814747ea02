#include "app/core/TKelvoDeferredCalls.h"

void TKelvoDeferredCalls::Queue(TKelvoMethod call) {
    calls_.Add(call);
    if (calls_.Count() == 1) post_();
}

void TKelvoDeferredCalls::RunNext() {
    if (calls_.Count() == 0) return;
    const TKelvoMethod call = calls_.GetMethod(0);
    calls_.Delete(0);
    if (calls_.Count() > 0) post_();
    call();
}
