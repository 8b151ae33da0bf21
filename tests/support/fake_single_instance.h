#pragma once
// Single-instance double: answers tryBecomeFirst() from `first`, records activation
// requests and lets a test deliver one to the handler.
#include "platform/single_instance.h"

class FakeSingleInstance : public SingleInstance {
public:
    bool tryBecomeFirst() override
    {
        ++tryCalls;
        return first;
    }
    bool activateRunningCopy() override
    {
        ++activateCalls;
        return activateResult;
    }
    void setActivationHandler(std::function<void()> h) override { handler = std::move(h); }
    // What a later copy's request does in the first copy.
    void requestActivation()
    {
        if (handler)
            handler();
    }

    bool first = true;
    bool activateResult = true;
    int tryCalls = 0;
    int activateCalls = 0;
    std::function<void()> handler;
};
