// orvane-fuzz-seeds <corpus folder>: writes the seed corpus of every fuzz
// target: replies the simulated device gives to the program's own request
// frames (the simulator's codec), preset, JSON and firmware files and
// archives as the program writes them. The seeds are kept in git; run this
// again after a format changes and commit what differs.
#include <cstdio>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/BrelinDoc.h"
#include "app/JsonPresetFile.h"
#include "link/DeviceLink.h"
#include "model/DataDefine.h"
#include "model/FrameBuilder.h"
#include "model/KTV_Data.h"
#include "platform/core/Archive.h"
#include "platform/core/FileIO.h"
#include "platform/core/MessageBoxHook.h"
#include "tests/common/ArchiveBytes.h"
#include "tools/simulator/SimDevice.h"

namespace {

QDir g_root;

void Write(const char* target, const char* name, const QByteArray& bytes)
{
    QDir dir(g_root.filePath(QString::fromLatin1(target)));
    dir.mkpath(QStringLiteral("."));
    if (!WriteFileAtomically(dir.filePath(QString::fromLatin1(name)), bytes)) {
        std::fprintf(stderr, "cannot write %s/%s\n", target, name);
        std::exit(1);
    }
}

QByteArray Of(const std::vector<BYTE>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The program's request frames, answered by the simulated device; each
// seed is a mode byte (transport, link kind), a queue byte (one command,
// in flight) and the device's replies.
void ReplySeeds()
{
    CSimDevice device;
    const int session = device.OpenSession(CSimPath::Network);
    struct Request {
        const char* name;
        std::unique_ptr<CSendData> frame;
    };
    std::vector<Request> requests;
    requests.push_back({"handshake", BuildSystemCommandFrame(SYSTEM_ITEM_HANDSHAKE, 0)});
    requests.push_back({"version", BuildSystemRequestFrame(SYSTEM_ITEM_VERSION, 0)});
    requests.push_back({"status", BuildSystemRequestFrame(SYSTEM_ITEM_STATUS, 0)});
    requests.push_back({"speakers", BuildSystemRequestFrame(SYSTEM_ITEM_SPEAKERS_LOW, 0)});
    requests.push_back({"preset-name", BuildSystemRequestFrame(SYSTEM_ITEM_PRESET_NAME, 3)});
    requests.push_back({"current-preset", BuildSystemRequestFrame(SYSTEM_ITEM_CURRENT_PRESET, 0)});
    requests.push_back({"mode-gains", BuildSystemRequestFrame(SYSTEM_ITEM_MODE_GAINS, 0)});
    requests.push_back({"output-block", BuildBlockRequestFrame(2, BLOCK_OUTPUT, 11, false)});
    requests.push_back({"music-block", BuildBlockRequestFrame(0, BLOCK_MUSIC, 1, false)});
    requests.push_back({"band-write", BuildParameterFrame(BLOCK_OUTPUT, 4, 7)});
    int transport = 0;
    for (Request& request : requests) {
        if (!request.frame)
            continue;
        QByteArray replies;
        for (const CSimReply& reply :
             device.Feed(session, request.frame->GetData(), size_t(request.frame->GetLength())))
            replies += Of(reply.bytes);
        // Transports in turn; the handshake seed with the handshake pending.
        const bool handshake = QByteArray(request.name) == "handshake";
        const char mode = char((transport++ % 4) | (handshake ? 8 : 0));
        const char queue = char(1 | 0x10);
        Write("ReplyParser", request.name, QByteArray(1, mode) + queue + replies);
    }
}

void PresetFileSeeds()
{
    CBrelinDoc doc;
    const char* names[] = {"preset", "all-presets", "output-map", "mode"};
    int (CBrelinDoc::*writers[])(CArchive&) = {&CBrelinDoc::SerializePresetFile, &CBrelinDoc::SerializeAllPresetsFile,
                                               &CBrelinDoc::SerializeOutputMapFile, &CBrelinDoc::SerializeModeFile};
    for (int k = 0; k < 4; ++k) {
        QByteArray bytes;
        CArchive ar(&bytes);
        (doc.*writers[k])(ar);
        // In memory and (bit 2) through the file.
        Write("PresetFile", names[k], QByteArray(1, char(k | (k % 2 == 0 ? 4 : 0))) + bytes);
    }
}

void JsonSeeds()
{
    CJsonPresetFile file;
    QDir scratch(g_root.filePath(QStringLiteral(".json-scratch")));
    scratch.mkpath(QStringLiteral("."));
    const QString path = scratch.filePath(QStringLiteral("preset.json"));
    if (file.Write(0, 0, path)) {
        QFile written(path);
        written.open(QIODevice::ReadOnly);
        const QByteArray bytes = written.readAll();
        Write("JsonPreset", "preset-memory", QByteArray(1, '\0') + bytes);
        Write("JsonPreset", "preset-file", QByteArray(1, '\1') + bytes);
    }
    scratch.removeRecursively();
}

void ArchiveSeeds()
{
    CKTV_Data set;
    set.GetOutput(3)->GetBand(5)->SetGainIndex(250);
    set.GetMic(0)->SetMode(2);
    Write("ArchiveLoad", "whole-set", QByteArray(1, char(0)) + ArchiveOf(set));
    Write("ArchiveLoad", "output-3", QByteArray(1, char(1 | 3 << 3)) + ArchiveOf(*set.GetOutput(3)));
    Write("ArchiveLoad", "mic", QByteArray(1, char(2)) + ArchiveOf(*set.GetMic(0)));
    Write("ArchiveLoad", "music-1", QByteArray(1, char(3 | 1 << 3)) + ArchiveOf(*set.GetMusic(1)));
    Write("ArchiveLoad", "effect", QByteArray(1, char(4)) + ArchiveOf(*set.GetEffect()));
    Write("ArchiveLoad", "bands-3", QByteArray(1, char(5 | 3 << 3)) + ArchiveOf(*set.GetOutput(3)->GetEQ()));
    Write("ArchiveLoad", "high-pass-0", QByteArray(1, char(7)) + ArchiveOf(*set.GetOutput(0)->GetHighPass()));
}

QByteArray Counting(int n, int seed)
{
    QByteArray bytes(n, '\0');
    for (int k = 0; k < n; ++k)
        bytes[k] = char(k * 7 + seed);
    return bytes;
}

void FirmwareSeeds()
{
    Write("Firmware", "mcu", "WMCU" + Counting(4 + 100, 3));
    Write("Firmware", "mcu-whole-chunks", "WMCU" + Counting(4 + 96, 5));
    QByteArray combined = "WDSP" + Counting(FIRMWARE_DSP_IMAGE_SIZE, 9) + char(0xC3) + "WMCU" + Counting(4 + 60, 1);
    Write("Firmware", "combined", combined);
    Write("Firmware", "no-firmware", "WXYZ" + Counting(40, 0));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane-fuzz-seeds <corpus folder>\n");
        return 2;
    }
    SetMessageBoxHandler([](const QString&, unsigned, int) { return IDOK; });
    g_root = QDir(QString::fromLocal8Bit(argv[1]));
    InitDefaultDeviceData();
    ReplySeeds();
    PresetFileSeeds();
    JsonSeeds();
    ArchiveSeeds();
    FirmwareSeeds();
    return 0;
}
