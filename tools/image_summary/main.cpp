// Prints a summary of the default device image: what the program holds
// before any device or file has been seen.
#include <cstdio>

#include <QCoreApplication>

#include "model/DataDefine.h"
#include "model/SpeakerPosition.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InitDefaultDeviceData();

    std::printf("Orvane 7734 - default device image (%d bytes)\n", IMAGE_SIZE);
    std::printf("  preset name: \"%s\"\n",
                FixedFieldToString(reinterpret_cast<const char*>(g_CurrentImage.bytes), PRESET_NAME_SIZE)
                    .toUtf8().constData());
    std::printf("  input mode %d, master %s, input source %d, current preset %d\n", g_byInputMode,
                g_byMasterOn ? "on" : "muted", InputSourceFromSystemByte(g_byInputSource), g_byCurrentPreset);
    std::printf("  output  position  mix sources at 100\n");
    for (int ch = 0; ch < OUTPUT_COUNT; ++ch) {
        const BYTE* mix = g_CurrentImage.bytes + OutputBlockOffset(ch) + 264;
        std::printf("  %6d  %8d  ", ch + 1, g_byOutputPosition[ch]);
        for (int source = 0; source < 16; ++source) {
            if (mix[source] == 100)
                std::printf("%d ", source + 1);
        }
        std::printf("\n");
    }
    std::printf("  position states:");
    for (int code = 0; code < POSITION_CODE_COUNT; ++code)
        std::printf(" %d", g_SpeakerPositionTable[code]);
    std::printf("\n  data locked: %s\n", IsDataLocked() ? "yes" : "no");
    return 0;
}
