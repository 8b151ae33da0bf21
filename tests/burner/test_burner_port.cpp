// The port steps every burner operation takes: open if closed, send, take all input.
#include <gtest/gtest.h>

#include "burner/burner_frames.h"
#include "burner/burner_port.h"
#include "platform/com_port.h"

#include <functional>
#include <vector>

namespace {

// A port whose open and write results the test chooses; it records what was sent.
class ScriptedPort : public ComPort {
public:
    void setPortNumber(int n) override { number = n; }
    int portNumber() const override { return number; }
    bool open() override
    {
        ++opens;
        if (openFails) return false;
        isOpen_ = true;
        return true;
    }
    void close() override
    {
        ++closes;
        isOpen_ = false;
    }
    bool isOpen() const override { return isOpen_; }
    bool output(const QByteArray& data) override
    {
        if (writeFails) return false;
        sent.push_back(data);
        return true;
    }
    QList<Com_Input> inputRuns() override
    {
        QList<Com_Input> all;
        if (!pending.isEmpty()) all.append(Com_Input{ pending, 0 });
        pending.clear();
        return all;
    }
    QString errorText() const override { return QStringLiteral("No such file or directory"); }

    int number = 3;
    bool isOpen_ = false;
    bool openFails = false;
    bool writeFails = false;
    int opens = 0;
    int closes = 0;
    std::vector<QByteArray> sent;
    QByteArray pending;
};

} // namespace

TEST(BurnerPort, OpensOnlyWhenClosed)
{
    ScriptedPort port;
    BurnerPort link(port);
    link.openIfClosed();
    link.openIfClosed();
    EXPECT_EQ(port.opens, 1);
    EXPECT_TRUE(link.isOpen());
    link.close();
    link.close();
    EXPECT_EQ(port.closes, 1);
    EXPECT_FALSE(link.isOpen());
}

TEST(BurnerPort, EveryStepThatCannotBeDoneThrows)
{
    struct Case {
        const char* what;
        bool startOpen, openFails, writeFails;
        std::function<void(BurnerPort&)> step;
        const char* messagePart;
    };
    const std::vector<Case> cases = {
        { "open fails", false, true, false, [](BurnerPort& l) { l.openIfClosed(); }, "COM3 cannot be opened" },
        { "send on closed", false, false, false, [](BurnerPort& l) { l.send("k"); }, "COM3 is closed" },
        { "command on closed", false, false, false, [](BurnerPort& l) { l.sendCommand('s'); }, "is closed" },
        { "write fails", true, false, true, [](BurnerPort& l) { l.sendCommand('k'); }, "write failed" },
        { "read on closed", false, false, false, [](BurnerPort& l) { l.takeAllInput(); }, "is closed" },
    };
    for (const auto& c : cases) {
        ScriptedPort port;
        port.isOpen_ = c.startOpen;
        port.openFails = c.openFails;
        port.writeFails = c.writeFails;
        BurnerPort link(port);
        try {
            c.step(link);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const Burner_Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_TRUE(port.sent.empty()) << c.what;
    }
}

TEST(BurnerPort, SendsCommandsAndTakesEverythingReceived)
{
    ScriptedPort port;
    BurnerPort link(port);
    link.openIfClosed();
    link.sendCommand(Burner_Letter::ReadModule);
    ASSERT_EQ(port.sent.size(), 1u);
    EXPECT_EQ(port.sent[0], QByteArray("k\x7F"));

    EXPECT_EQ(link.takeAllInput(), QByteArray());
    port.pending = "000055AA";
    EXPECT_EQ(link.takeAllInput(), QByteArray("000055AA"));
    EXPECT_EQ(link.takeAllInput(), QByteArray());
}

TEST(RequireImageHexText, ShortReplyThrowsFullReplyGivesTheImage)
{
    EXPECT_THROW(Require_Image_Hex_Text(QByteArray()), Burner_Error);
    EXPECT_THROW(Require_Image_Hex_Text(QByteArray(511, 'F')), Burner_Error);
    const auto image = Require_Image_Hex_Text(QByteArray(512, 'f') + "00");
    for (uint8_t b : image) EXPECT_EQ(b, 0xFF);
}
