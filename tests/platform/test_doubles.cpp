// The shared test doubles where a slip would mislead other tests: installing and
// restoring the platform, and the serial double's reply script.
#include "support/platform_fixture.h"

#include <gtest/gtest.h>

TEST(FakePlatformScope, InstallsTheDoublesAndRestoresWhatWasThere)
{
    const Platform before = platform();
    {
        FakePlatform fakes;
        ScopedFakePlatform scope(fakes);
        EXPECT_EQ(platform().com, &fakes.com);
        EXPECT_EQ(platform().registry, &fakes.registry);
        EXPECT_EQ(platform().dialogs, &fakes.dialogs);
        EXPECT_EQ(platform().shell, &fakes.shell);
        EXPECT_EQ(platform().clock, &fakes.clock);
        Admin_LoggedIn = true;
    }
    // No pointer to the destroyed doubles is left behind, and globals are back.
    EXPECT_EQ(platform().com, before.com);
    EXPECT_EQ(platform().clock, before.clock);
    EXPECT_FALSE(Admin_LoggedIn);
}

TEST(FakeComPortScript, RepliesFollowTheLetterSentAndOnlyWhileOpen)
{
    FakeComPort port;
    port.queueReply('s', "55AA01");
    port.setStandingReply('s', "55AA00");
    port.setStandingReply('k', QByteArray(512, '0'));

    EXPECT_FALSE(port.output("s\x7f"));          // closed: nothing sent, nothing answered
    EXPECT_TRUE(port.outputs.isEmpty());
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(port.output("s\x7f"));
    EXPECT_EQ(port.input(), QByteArray("55AA01")); // the queued reply first
    ASSERT_TRUE(port.output("s\x7f"));
    EXPECT_EQ(port.input(), QByteArray("55AA00")); // then the standing one
    EXPECT_EQ(port.input(), QByteArray());
    ASSERT_TRUE(port.output("e\x7f"));             // no reply scripted for "e"
    EXPECT_EQ(port.input(), QByteArray());
    EXPECT_EQ(port.letters(), QByteArray("sse"));

    port.close();
    port.setOpenFails(2);
    port.setPortNumber(2);
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.errorText().isEmpty());
    EXPECT_EQ(port.openCount, 1);
}
