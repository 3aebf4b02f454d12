// velmoro-fake-charger: a charger on a pseudo-terminal for trying the program
// without one. Prints the port's path as its first line, then answers until
// it is stopped (Ctrl-C or a termination signal).
#include "FakeCharger.h"

#include <QCoreApplication>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
void usage(FILE* out)
{
    std::fprintf(out, "usage: velmoro-fake-charger [--channels N] [--self-describing] [--extended]\n"
                      "                            [--seconds-per-request S] [--idle] [--log]\n"
                      "  --channels N             charging channels, 1 to 4 (default 4)\n"
                      "  --self-describing        answer the device-information command\n"
                      "  --extended               describe itself with the extended program options\n"
                      "  --seconds-per-request S  simulated seconds each request moves the clock (default 10)\n"
                      "  --idle                   start with every channel idle (default: programs running)\n"
                      "  --log                    print every frame received on standard error\n");
}

bool readInt(const char* text, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || end == text)
        return false;
    value = int(v);
    return true;
}

// Programs as the editor would send them, so the windows have something to
// show from the first poll on.
void startDemoPrograms(FakeCharger& fake)
{
    const char* programs[] = {
        "001,P,A02,M01,Z06,P100,F0,W30,K02000,L01000,E00500,V07200,D05400", // NiMH, charge
        "002,P,A04,M03,Z06,F0,W30,L02000,E01000,V12000,D10800",             // lead-acid, discharge then charge
        "003,P,A03,M04,Z02,P100,F0,W30,K02500,L01200,E01000,V07400,D06000", // Li-ion, charge-discharge-charge
        "004,P,A02,M02,Z04,F0,W30,L01000,E00800,V04800,D04000",             // NiMH, discharge
    };
    for (int ch = 1; ch <= fake.channelCount(); ++ch) {
        fake.setProgram(ch, QString::fromLatin1(programs[ch - 1]));
        fake.startProgram(ch);
    }
}
} // namespace

int main(int argc, char** argv)
{
    int channels = 4;
    int secondsPerRequest = 10;
    bool selfDescribing = false;
    bool extended = false;
    bool idle = false;
    bool log = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--channels" && i + 1 < argc && readInt(argv[i + 1], channels) && channels >= 1 && channels <= 4) {
            ++i;
        } else if (arg == "--seconds-per-request" && i + 1 < argc && readInt(argv[i + 1], secondsPerRequest)
                   && secondsPerRequest >= 0) {
            ++i;
        } else if (arg == "--self-describing") {
            selfDescribing = true;
        } else if (arg == "--extended") {
            extended = true;
        } else if (arg == "--idle") {
            idle = true;
        } else if (arg == "--log") {
            log = true;
        } else if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        } else {
            usage(stderr);
            return 2;
        }
    }

    // Block the stop signals before any thread starts, then wait for one.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    FakeCharger fake(channels, selfDescribing ? FakeCharger::Model::SelfDescribing : FakeCharger::Model::Plain);
    if (extended)
        fake.setDeviceInfoField(3, QStringLiteral("1"));
    if (log) {
        fake.setFrameObserver([](const FakeFrame& frame) {
            const QByteArray text = frame.wellFormed ? frame.body.toLatin1() : frame.raw.toHex(' ');
            std::fprintf(stderr, "[%lld s] %s%s\n", frame.simulatedSeconds,
                         frame.wellFormed ? "" : "malformed: ", text.constData());
        });
    }
    if (!fake.start()) {
        std::fprintf(stderr, "velmoro-fake-charger: %s\n", fake.errorString().toLocal8Bit().constData());
        return 1;
    }
    if (!idle)
        startDemoPrograms(fake);
    fake.setSecondsPerRequest(secondsPerRequest);

    std::printf("%s\n", fake.portPath().toLocal8Bit().constData());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    fake.stop();
    return 0;
}
