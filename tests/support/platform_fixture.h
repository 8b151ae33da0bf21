#pragma once
// Test doubles for every platform service, installed for the length of a test with the
// program's globals reset before and after.
#include "fake_clock.h"
#include "fake_com_port.h"
#include "fake_dialogs.h"
#include "fake_printer.h"
#include "fake_registry.h"
#include "fake_shell.h"
#include "fake_single_instance.h"

#include "platform/platform.h"
#include "spd_document/globals.h"

#include <gtest/gtest.h>

struct FakePlatform {
    FakeComPort com;
    FakeRegistry registry;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeClock clock;

    Platform services()
    {
        com.clock = &clock;
        return Platform{&com, &registry, &dialogs, &shell, &clock};
    }
};

// Installs a FakePlatform while in scope; usable inside any fixture.
class ScopedFakePlatform {
public:
    explicit ScopedFakePlatform(FakePlatform& fakes) : saved_(platform())
    {
        Reset_Globals();
        setPlatform(fakes.services());
    }
    ~ScopedFakePlatform()
    {
        setPlatform(saved_);
        Reset_Globals();
    }
    ScopedFakePlatform(const ScopedFakePlatform&) = delete;
    ScopedFakePlatform& operator=(const ScopedFakePlatform&) = delete;

private:
    Platform saved_;
};

// Fixture with the doubles as members: com, registry, dialogs, shell, clock.
class PlatformFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = platform();
        Reset_Globals();
        com.clock = &clock;
        setPlatform(Platform{&com, &registry, &dialogs, &shell, &clock});
    }
    void TearDown() override
    {
        setPlatform(saved_);
        Reset_Globals();
    }

    FakeComPort com;
    FakeRegistry registry;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeClock clock;
    FakeSingleInstance singleInstance;

private:
    Platform saved_;
};
