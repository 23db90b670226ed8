#include "model/DefaultOutputBlocks.h"

#include "model/FrequencyTables.h"

namespace {
// Speaker position of each output in the factory set.
const BYTE kFactoryPositions[OUTPUT_COUNT] = {1, 5, 7, 11, 15, 18, 21, 24, 1, 5, 7, 11};

OutputBlockBytes MakeBlock(int output)
{
    OutputBlockBytes block{};
    BYTE* b = block.data();
    // Records 0 to 30: flat bands on the third-octave centres, 0.65 octave.
    for (int band = 0; band < THIRD_OCTAVE_COUNT; ++band)
        WriteBandRecord(b + RECORD_SIZE * band, g_ThirdOctaveFreqs[band], GAIN_CODE_FLAT, 52, 0, 0);
    // Record 31: on, polarity 0, 0 dB, no delay, PEQ, the position.
    BYTE* basic = b + RECORD_SIZE * OUTPUT_BASIC_RECORD;
    basic[0] = 1;
    basic[1] = 0;
    PutWord(basic + 2, 600);
    PutWord(basic + 4, 0);
    basic[6] = 0;
    basic[7] = kFactoryPositions[output];
    // Record 32: Butterworth 42 dB/Oct filters, both open.
    BYTE* crossover = b + RECORD_SIZE * OUTPUT_CROSSOVER_RECORD;
    PutWord(crossover, 20);
    crossover[2] = 1;
    crossover[3] = 6;
    PutWord(crossover + 4, 20000);
    crossover[6] = 1;
    crossover[7] = 6;
    // Records 33 and 34: even outputs mix the odd sources, odd outputs the even.
    BYTE* mix = b + RECORD_SIZE * OUTPUT_MIX_LOW_RECORD;
    for (int source = 1; source <= 16; ++source)
        mix[source - 1] = (source % 2 == 1) == (output % 2 == 0) ? 100 : 0;
    // Record 35: limiter at 12 dBu, attack 20, release 20.
    BYTE* limiter = b + RECORD_SIZE * OUTPUT_LIMITER_RECORD;
    PutWord(limiter, 420);
    PutWord(limiter + 2, 20);
    PutWord(limiter + 4, 20);
    // Record 36: a blank name.
    BYTE* name = b + RECORD_SIZE * OUTPUT_NAME_RECORD;
    for (int k = 0; k < 7; ++k)
        name[k] = ' ';
    name[7] = 0;
    return block;
}

std::array<OutputBlockBytes, OUTPUT_COUNT> MakeBlocks()
{
    std::array<OutputBlockBytes, OUTPUT_COUNT> blocks{};
    for (int output = 0; output < OUTPUT_COUNT; ++output)
        blocks[size_t(output)] = MakeBlock(output);
    return blocks;
}
}  // namespace

const std::array<OutputBlockBytes, OUTPUT_COUNT> g_DefaultOutputBlocks = MakeBlocks();
