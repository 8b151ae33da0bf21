// burner_sim: serves the burner simulator on a pseudo-terminal until it is killed.
//
//   burner_sim [--short-status] [--silent] [--short-replies N] [--fail-mask HEX]
//              [--result-delay MS] [--reply-delay MS] [--module FILE] [--quiet]
//              [--stray-byte HEX] [--garble POS] [--hang-up LETTER:N:MS]
//
// The first line on standard output is the terminal's device path. Leave it running in
// one terminal and start the editor in another with MORROWBURN_COM1 set to that path.
// Each unit the PC sends is logged to standard error with the answer it got.
#include "support/burner_simulator.h"

#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>

namespace {

void usage()
{
    std::fprintf(stderr,
                 "usage: burner_sim [--short-status] [--silent] [--short-replies N] [--fail-mask HEX]\n"
                 "                  [--result-delay MS] [--reply-delay MS] [--module FILE] [--quiet]\n"
                 "                  [--stray-byte HEX] [--garble POS] [--hang-up LETTER:N:MS]\n"
                 "  --module FILE     256-byte binary image for the module in the socket\n"
                 "  --stray-byte HEX  that byte goes out before every answer\n"
                 "  --garble POS      character POS (from 1) of every answer becomes \"G\"\n"
                 "  --hang-up L:N:MS  the line drops MS ms after the N-th unit starting with L\n");
}

// A unit as readable text: printable characters as they are, others as <XX>.
QByteArray printable(const QByteArray& bytes)
{
    QByteArray out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) out.append(c);
        else out.append('<').append(QByteArray::number(u, 16).rightJustified(2, '0').toUpper()).append('>');
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    BurnerSimulator sim;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(a, "--short-status")) {
            sim.setStatusLayout(BurnerSimulator::StatusLayout::Short);
        } else if (!std::strcmp(a, "--silent")) {
            sim.setReplyMode(BurnerSimulator::ReplyMode::Silent);
        } else if (!std::strcmp(a, "--short-replies") && hasValue) {
            sim.setReplyMode(BurnerSimulator::ReplyMode::Short, std::atoi(argv[++i]));
        } else if (!std::strcmp(a, "--fail-mask") && hasValue) {
            sim.setFailMask(static_cast<uint8_t>(std::strtoul(argv[++i], nullptr, 16)));
        } else if (!std::strcmp(a, "--result-delay") && hasValue) {
            sim.setResultDelayMs(std::atoi(argv[++i]));
        } else if (!std::strcmp(a, "--reply-delay") && hasValue) {
            sim.setReplyDelayMs(std::atoi(argv[++i]));
        } else if (!std::strcmp(a, "--module") && hasValue) {
            QFile file(QString::fromLocal8Bit(argv[++i]));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "burner_sim: cannot read %s\n", argv[i]);
                return 2;
            }
            const QByteArray data = file.read(256);
            std::array<uint8_t, 256> image{};
            for (int j = 0; j < data.size(); ++j) image[static_cast<size_t>(j)] = static_cast<uint8_t>(data[j]);
            sim.setModuleImage(image);
        } else if (!std::strcmp(a, "--stray-byte") && hasValue) {
            sim.setStrayByte(BurnerSimulator::Every_Letter, static_cast<char>(std::strtoul(argv[++i], nullptr, 16)));
        } else if (!std::strcmp(a, "--garble") && hasValue) {
            sim.setGarbled(BurnerSimulator::Every_Letter, std::atoi(argv[++i]), 'G');
        } else if (!std::strcmp(a, "--hang-up") && hasValue) {
            char letter = 0;
            int occurrence = 0;
            int afterMs = 0;
            if (std::sscanf(argv[++i], "%c:%d:%d", &letter, &occurrence, &afterMs) != 3 || occurrence < 1) {
                usage();
                return 2;
            }
            sim.setHangUp(letter, occurrence, afterMs);
        } else if (!std::strcmp(a, "--quiet")) {
            quiet = true;
        } else {
            usage();
            return 2;
        }
    }

    // Block the stop signals before the serving thread starts, so that only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    if (!quiet) {
        sim.setObserver([](const QByteArray& unit, const QByteArray& answer) {
            std::fprintf(stderr, "<- %s\n", printable(unit).constData());
            if (!answer.isEmpty()) std::fprintf(stderr, "-> %s\n", printable(answer).constData());
        });
    }
    if (!sim.start()) {
        std::fprintf(stderr, "burner_sim: %s\n", sim.errorText().toLocal8Bit().constData());
        return 1;
    }
    std::printf("%s\n", sim.devicePath().toLocal8Bit().constData());
    std::fflush(stdout);
    std::fprintf(stderr, "burner_sim: serving %s; export MORROWBURN_COM1=%s\n",
                 sim.devicePath().toLocal8Bit().constData(), sim.devicePath().toLocal8Bit().constData());

    int signal = 0;
    sigwait(&stopSignals, &signal);
    sim.stop();
    return 0;
}
