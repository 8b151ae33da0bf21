// The simulated burner on a pseudo-terminal, driven through a real QSerialPort: frames
// built and parsed by the program's code on this side and by the simulator's own code on
// the other must make the round trip over the line; and the simulator's fault modes.
#include <gtest/gtest.h>

#include "burner/burner_frames.h"
#include "burner/burner_port.h"
#include "burner/burner_wait.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_com_port.h"
#include "support/burner_simulator.h"
#include "support/simulator_paced_clock.h"

#include <QElapsedTimer>
#include <QSerialPort>

#include <functional>
#include <vector>

namespace {

std::array<uint8_t, 256> patternImage(int seed)
{
    std::array<uint8_t, 256> image{};
    for (int i = 0; i < 256; ++i) image[static_cast<size_t>(i)] = static_cast<uint8_t>((i * 167 + seed) & 0xFF);
    return image;
}

class SimulatedBurnerLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.start()) << sim.errorText().toStdString();
        sim.setResultDelayMs(50);
        port.setPortName(sim.devicePath());
        port.setBaudRate(QSerialPort::Baud9600);
        port.setDataBits(QSerialPort::Data8);
        port.setParity(QSerialPort::NoParity);
        port.setStopBits(QSerialPort::OneStop);
        port.setFlowControl(QSerialPort::NoFlowControl);
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
    }

    void send(const QByteArray& bytes)
    {
        ASSERT_EQ(port.write(bytes), bytes.size());
        port.flush();
        QElapsedTimer timer;
        timer.start();
        while (port.bytesToWrite() > 0 && timer.elapsed() < BurnerSimulator::Hang_Ms) port.waitForBytesWritten(50);
    }

    // Everything that arrives until `length` characters are in or `timeoutMs` pass (what
    // is on the line is read even when the test itself comes late), then whatever follows
    // within a short grace period.
    QByteArray receive(int length, int timeoutMs = BurnerSimulator::Hang_Ms)
    {
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        do {
            port.waitForReadyRead(20);
            got += port.readAll();
            port.clearError();
        } while (got.size() < length && timer.elapsed() < timeoutMs);
        QElapsedTimer grace;
        grace.start();
        while (grace.elapsed() < 50) {
            port.waitForReadyRead(10);
            got += port.readAll();
            port.clearError();
        }
        return got;
    }

    // The answer to `letter`: all of it that is due at once is on the line before the
    // reading starts, however busy the machine.
    QByteArray ask(char letter, int length, int timeoutMs = BurnerSimulator::Hang_Ms)
    {
        send(Burner_Command(letter));
        EXPECT_TRUE(sim.waitUntilCaughtUp(BurnerSimulator::Hang_Ms));
        return receive(length, timeoutMs);
    }

    BurnerSimulator sim;
    QSerialPort port;
};

} // namespace

TEST_F(SimulatedBurnerLink, ReadModuleGivesTheModuleImage)
{
    sim.setModuleImage(patternImage(13));
    sim.setBufferImage(patternImage(99));
    const QByteArray reply = ask(Burner_Letter::ReadModule, 512);
    EXPECT_EQ(reply.size(), 512);
    const auto image = Parse_Image_Hex_Text(reply);
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, patternImage(13));
    ASSERT_TRUE(sim.waitForFrames(1, BurnerSimulator::Hang_Ms));
    EXPECT_EQ(sim.receivedFrames().value(0), QByteArray("k\x7F"));
}

TEST_F(SimulatedBurnerLink, DownloadThenReadBack)
{
    const auto image = patternImage(7);
    for (int k = 0; k < 16; ++k) send(Program_Frame(k, image));
    ASSERT_TRUE(sim.waitForFrames(16, BurnerSimulator::Hang_Ms));
    EXPECT_EQ(sim.bufferImage(), image);
    EXPECT_EQ(sim.receivedLetters(), QByteArray(16, 'w'));
    EXPECT_EQ(sim.receivedFrames().value(10).left(3), "wX:");
    EXPECT_EQ(sim.receivedFrames().value(15).left(3), "wX?");

    for (char letter : { Burner_Letter::ReadIC, Burner_Letter::BlankIC }) {
        const auto back = Parse_Image_Hex_Text(ask(letter, 512));
        ASSERT_TRUE(back) << letter;
        EXPECT_EQ(*back, image) << letter;
    }
}

TEST_F(SimulatedBurnerLink, StatusInBothLayoutsFollowsTheCommands)
{
    for (char letter : { Burner_Letter::AutoOn, Burner_Letter::DIS_KEY, Burner_Letter::SNUM_N }) send(Burner_Command(letter));
    ASSERT_TRUE(sim.waitForFrames(3, BurnerSimulator::Hang_Ms));
    sim.modifyState([](BurnerSimulator::State& s) { s.gangCode = "08"; s.version = "2b"; s.currentSerial = "00001234"; });

    const auto longStatus = Parse_Burner_Status_Frame(ask(Burner_Letter::Status, 92));
    ASSERT_TRUE(longStatus);
    EXPECT_TRUE(longStatus->autoSerialOn());
    EXPECT_FALSE(longStatus->keypadUnlocked());
    EXPECT_FALSE(longStatus->lowToHigh());
    EXPECT_EQ(longStatus->currentSerial, "00001234");
    EXPECT_EQ(longStatus->versionCaption(), "Ver:2B");
    EXPECT_EQ(Gang_Mode_Caption(longStatus->gangCode), QStringLiteral("連片比對88"));

    sim.setStatusLayout(BurnerSimulator::StatusLayout::Short);
    for (char letter : { Burner_Letter::AutoOff, Burner_Letter::EN_KEY, Burner_Letter::SNUM_P }) send(Burner_Command(letter));
    ASSERT_TRUE(sim.waitForFrames(7, BurnerSimulator::Hang_Ms));
    const QByteArray shortReply = ask(Burner_Letter::Status, 10);
    EXPECT_EQ(shortReply.size(), 10);
    const auto shortStatus = Parse_Burner_Short_Status(shortReply);
    ASSERT_TRUE(shortStatus);
    EXPECT_FALSE(shortStatus->autoSerialOn());
    EXPECT_FALSE(shortStatus->keypadLocked());
    EXPECT_TRUE(shortStatus->lowToHigh());
    EXPECT_EQ(shortStatus->gangCode, "08");
}

TEST_F(SimulatedBurnerLink, GangCopySendsAResultFrameLater)
{
    sim.modifyState([](BurnerSimulator::State& s) {
        s.autoSerial = true;
        s.currentSerial = "00000100";
        s.failMask = 0x05;
    });
    send(Burner_Command(Burner_Letter::Mcopy));
    const auto result = Parse_Burner_Status_Frame(receive(92));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->socketResults, 0x05);
    const char* shown[8] = { "00000000", "00000100", "00000000", "00000101",
                             "00000102", "00000103", "00000104", "00000105" };
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(result->socketSerialShown(k), QLatin1String(shown[k - 1])) << k;
    EXPECT_EQ(result->currentSerial, "00000106");
    EXPECT_EQ(sim.state().gangRuns, 1);
}

TEST_F(SimulatedBurnerLink, BufferCommandsActOnTheBurner)
{
    struct Case {
        char letter;
        std::function<bool(const BurnerSimulator::State&)> holds;
    };
    const std::vector<Case> cases = {
        { Burner_Letter::Read_Command, [](const auto& s) { return s.buffer == patternImage(1); } },
        { Burner_Letter::EraseIC, [](const auto& s) { return s.buffer == std::array<uint8_t, 256>{}; } },
        { Burner_Letter::Verify, [](const auto& s) { return !s.lastVerifyOk; } },
        { Burner_Letter::Copy, [](const auto& s) { return s.module == std::array<uint8_t, 256>{}; } },
        { Burner_Letter::Verify, [](const auto& s) { return s.lastVerifyOk; } },
    };
    sim.setModuleImage(patternImage(1));
    sim.setBufferImage(patternImage(2));
    int sent = 0;
    for (const auto& c : cases) {
        send(Burner_Command(c.letter));
        ASSERT_TRUE(sim.waitForFrames(++sent, BurnerSimulator::Hang_Ms)) << c.letter;
        EXPECT_TRUE(c.holds(sim.state())) << c.letter;
    }
    EXPECT_EQ(receive(1, 100), QByteArray());   // none of them answers
}

TEST_F(SimulatedBurnerLink, SilentOrShortBurnerGivesNoImage)
{
    sim.setModuleImage(patternImage(5));
    sim.setReplyMode(BurnerSimulator::ReplyMode::Silent);
    const QByteArray none = ask(Burner_Letter::ReadModule, 512, 300);
    EXPECT_TRUE(none.isEmpty());
    EXPECT_FALSE(Parse_Image_Hex_Text(none));

    sim.setReplyMode(BurnerSimulator::ReplyMode::Short, 300);
    const QByteArray part = ask(Burner_Letter::ReadModule, 512, 300);
    EXPECT_EQ(part.size(), 300);
    EXPECT_FALSE(Parse_Image_Hex_Text(part));

    sim.setReplyMode(BurnerSimulator::ReplyMode::Short, 6);
    EXPECT_FALSE(Parse_Burner_Status_Frame(ask(Burner_Letter::Status, 92, 300)));
}

TEST_F(SimulatedBurnerLink, CustomAndUnaskedBytesPassUnchanged)
{
    QByteArray every;
    for (int b = 0; b < 256; ++b) every.append(static_cast<char>(b));
    sim.setCustomReply(Burner_Letter::Status, every);
    EXPECT_EQ(ask(Burner_Letter::Status, 256), every);

    sim.sendRaw("05FF55AA");
    EXPECT_EQ(receive(8), QByteArray("05FF55AA"));
    EXPECT_TRUE(sim.waitForIdle(BurnerSimulator::Hang_Ms));
}

TEST_F(SimulatedBurnerLink, FaultModesShapeTheAnswers)
{
    sim.setModuleImage(patternImage(8));
    const QByteArray image = Image_Hex_Text(patternImage(8));

    sim.setStrayByte(Burner_Letter::ReadModule, '\xFF');
    sim.setGarbled(Burner_Letter::ReadModule, 3, 'G');
    QByteArray expected = image;
    expected[2] = 'G';
    expected.prepend('\xFF');
    EXPECT_EQ(ask(Burner_Letter::ReadModule, 513), expected);
    // Other letters answer as before.
    EXPECT_TRUE(Parse_Image_Hex_Text(ask(Burner_Letter::ReadIC, 512)));

    sim.clearFaults();
    sim.setLateReply(BurnerSimulator::Every_Letter, 300);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(ask(Burner_Letter::ReadModule, 512), image);
    EXPECT_GE(t.elapsed(), 290);

    // The line drops 50 ms after the second "k": the port reports an error and reads
    // nothing more.
    sim.clearFaults();
    sim.setHangUp(Burner_Letter::ReadModule, 2, 50);
    EXPECT_EQ(ask(Burner_Letter::ReadModule, 512), image);
    EXPECT_FALSE(sim.hungUp());
    send(Burner_Command(Burner_Letter::ReadModule));
    ASSERT_TRUE(sim.waitForHangUp(BurnerSimulator::Hang_Ms));
    QElapsedTimer wait;
    wait.start();
    while (port.error() == QSerialPort::NoError && wait.elapsed() < BurnerSimulator::Hang_Ms) port.waitForReadyRead(20);
    EXPECT_NE(port.error(), QSerialPort::NoError);
    EXPECT_EQ(port.readAll(), QByteArray());
    EXPECT_EQ(sim.receivedLetters(), QByteArray("klkkk"));
}

// The program's own port on COM1, found through MORROWBURN_COM1, with the port steps and
// the timed wait that the commands use.
TEST(SimulatedBurnerComPort, ReadModuleAndStatusThroughComOne)
{
    BurnerSimulator sim;
    ASSERT_TRUE(sim.start()) << sim.errorText().toStdString();
    sim.setModuleImage(patternImage(42));
    const QByteArray savedVariable = qgetenv("MORROWBURN_COM1");
    const bool hadVariable = qEnvironmentVariableIsSet("MORROWBURN_COM1");
    qputenv("MORROWBURN_COM1", sim.devicePath().toLocal8Bit());

    QtComPort com;
    // The computer's own clock, told only once the simulator has answered: a 1 s wait may
    // end at once, at the next second.
    SimulatorPacedClock clock(std::make_unique<QtClock>(), sim);
    com.setPortNumber(1);
    BurnerPort link(com);
    link.openIfClosed();
    EXPECT_EQ(link.takeAllInput(), QByteArray());

    link.sendCommand(Burner_Letter::ReadModule);
    Burner_Wait(clock, 1);
    EXPECT_EQ(Require_Image_Hex_Text(link.takeAllInput()), patternImage(42));

    link.sendCommand(Burner_Letter::Status);
    Burner_Wait(clock, 1);
    const auto status = Parse_Burner_Status_Frame(link.takeAllInput());
    ASSERT_TRUE(status);
    EXPECT_EQ(status->gangCode, "01");

    link.close();
    EXPECT_THROW(link.sendCommand(Burner_Letter::Status), Burner_Error);
    EXPECT_EQ(sim.receivedLetters(), QByteArray("ks"));

    if (hadVariable) qputenv("MORROWBURN_COM1", savedVariable);
    else qunsetenv("MORROWBURN_COM1");
}
