// orvane-devsim: a simulated processor on 127.0.0.1 for tests, demos and a
// first run without hardware. Starts from the program's default image and
// answers every frame as the device does; fault knobs make it misbehave on
// purpose.
#include <csignal>
#include <cstdio>
#include <ctime>

#include <QCommandLineParser>
#include <QCoreApplication>

#include "model/DataDefine.h"
#include "tools/simulator/SimDevice.h"
#include "tools/simulator/SimTcpServer.h"

namespace {
const long long kMaxLifetimeSeconds = 7 * 24 * 3600;

int Usage(QCommandLineParser& parser, const QString& error)
{
    std::fprintf(stderr, "orvane-devsim: %s\n\n%s", error.toUtf8().constData(),
                 parser.helpText().toUtf8().constData());
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("orvane-devsim");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Simulated Orvane 7734 processor on 127.0.0.1 (TCP, one frame per write).\n"
        "Fault kinds for --fault kind@k[:arg] (k = received frame number from 1, 0 = every frame):\n"
        "  delay@k:ms  noreply@k  resend@k  badxor@k  wrongversion@k[:tag]  emptystatus@k  close@k  refuse@k");
    parser.addHelpOption();
    QCommandLineOption port("port", "TCP port on 127.0.0.1 (default 8899, 0 = any free port).", "N", "8899");
    QCommandLineOption lifetime("lifetime", "Stop by itself after this many seconds (default 3600).", "S", "3600");
    QCommandLineOption fault("fault", "A fault knob; may be given more than once.", "SPEC");
    QCommandLineOption restart("restart-after-apply", "Reset the connection after answering HEXApply.");
    QCommandLineOption tag("version-tag", "The version tag (default KRVA-BV1.00).", "TAG",
                           CSimDevice::kDefaultVersionTag);
    QCommandLineOption status("status-length", "Bytes in a status reply, 1 to 35 (default 35).", "N", "35");
    QCommandLineOption log("log", "Print every received frame.");
    QCommandLineOption hex("hex", "With --log, print the frame bytes too.");
    parser.addOptions({port, lifetime, fault, restart, tag, status, log, hex});
    parser.process(app);

    bool ok = false;
    const int portNumber = parser.value(port).toInt(&ok);
    if (!ok || portNumber < 0 || portNumber > 65535)
        return Usage(parser, "--port takes 0 to 65535");
    const long long seconds = parser.value(lifetime).toLongLong(&ok);
    if (!ok || seconds < 1 || seconds > kMaxLifetimeSeconds)
        return Usage(parser, "--lifetime takes 1 to 604800 seconds");
    const int statusLength = parser.value(status).toInt(&ok);
    if (!ok || statusLength < 1 || statusLength > DEVICE_STATUS_COUNT)
        return Usage(parser, "--status-length takes 1 to 35");
    const QByteArray versionTag = parser.value(tag).toLatin1();
    if (versionTag.isEmpty() || versionTag.size() > CSimDevice::kVersionSize)
        return Usage(parser, "--version-tag takes 1 to 11 characters");
    std::vector<CSimFault> faults;
    for (const QString& spec : parser.values(fault)) {
        CSimFault f;
        std::string error;
        if (!CSimFault::Parse(spec.toStdString(), &f, &error))
            return Usage(parser, QString::fromStdString(error));
        faults.push_back(f);
    }

    InitDefaultDeviceData();
    CSimState factory = CSimState::FromModelGlobals();
    factory.statusLength = statusLength;
    CSimDevice device(factory);
    device.SetFaults(faults);
    device.SetRestartAfterApply(parser.isSet(restart));
    device.SetVersionTag(versionTag.toStdString());
    device.SetLogLimit(parser.isSet(log) ? 1 : 0);
    if (parser.isSet(log)) {
        const bool withBytes = parser.isSet(hex);
        device.SetLogSink([withBytes](const CSimLogEntry& e) {
            std::printf("%s\n", e.Describe(withBytes).c_str());
            std::fflush(stdout);
        });
    }

    // Signals are taken by the main thread only, so block them before any
    // server thread exists.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    CSimTcpServer server(device);
    std::string error;
    if (!server.Start(portNumber, seconds * 1000, &error)) {
        std::fprintf(stderr, "orvane-devsim: %s\n", error.c_str());
        return 1;
    }
    std::printf("orvane-devsim: listening on 127.0.0.1:%d for at most %lld s\n", server.Port(), seconds);
    std::fflush(stdout);

    const timespec tick = {0, 200 * 1000 * 1000};
    while (server.IsRunning()) {
        if (sigtimedwait(&stopSignals, nullptr, &tick) > 0)
            break;
    }
    server.Stop();
    std::printf("orvane-devsim: stopped after %lld frames\n", device.FrameCount());
    return 0;
}
