// Archive loads of the parameter set, one channel of each kind and one
// band. The first input byte picks what loads. A refused archive leaves
// the object's own archive byte for byte as it was; an accepted one keeps
// the crossover filters in their slots and stores to bytes that load again
// to the same bytes.
#include <memory>

#include "model/Filter.h"
#include "model/KTV_Data.h"
#include "platform/core/Archive.h"
#include "tests/common/ArchiveBytes.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// Loads bytes into object and checks what a load may do.
template <class T>
void LoadAndCheck(T& object, T& other, const QByteArray& bytes)
{
    const QByteArray before = ArchiveOf(object);
    CArchive in(bytes);
    object.Serialize(in);
    if (in.HasError()) {
        FuzzCheck(ArchiveOf(object) == before, "a refused archive changed what it was loaded into");
        return;
    }
    const QByteArray stored = ArchiveOf(object);
    CArchive again(stored);
    other.Serialize(again);
    FuzzCheck(!again.HasError(), "an accepted archive, stored again, loads");
    FuzzCheck(ArchiveOf(other) == stored, "an accepted archive stores and loads to the same bytes");
}

struct Sets {
    CKTV_Data live;
    CKTV_Data other;
    QByteArray baseline;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzStart();
    static Sets* sets = [] {
        auto* made = new Sets;
        made->baseline = ArchiveOf(made->live);
        return made;
    }();
    if (size < 1)
        return 0;
    // Every input starts from the same set.
    for (CKTV_Data* set : {&sets->live, &sets->other}) {
        CArchive reset(sets->baseline);
        set->Serialize(reset);
    }
    const QByteArray bytes = FuzzBytes(data + 1, size - 1);
    CKTV_Data& live = sets->live;
    CKTV_Data& other = sets->other;
    const int channel = data[0] >> 3;
    switch (data[0] & 7) {
    case 0:
        LoadAndCheck(live, other, bytes);
        break;
    case 1:
        LoadAndCheck(*live.GetOutput(channel % OUTPUT_COUNT), *other.GetOutput(channel % OUTPUT_COUNT), bytes);
        break;
    case 2:
        LoadAndCheck(*live.GetMic(0), *other.GetMic(0), bytes);
        break;
    case 3:
        LoadAndCheck(*live.GetMusic(channel % MUSIC_COUNT), *other.GetMusic(channel % MUSIC_COUNT), bytes);
        break;
    case 4:
        LoadAndCheck(*live.GetEffect(), *other.GetEffect(), bytes);
        break;
    case 5:
        LoadAndCheck(*live.GetOutput(channel % OUTPUT_COUNT)->GetEQ(), *other.GetOutput(channel % OUTPUT_COUNT)->GetEQ(),
                     bytes);
        break;
    default: {
        // A crossover filter of an output, or a free band.
        CFilter* filter = (data[0] & 1) != 0 ? live.GetOutput(channel % OUTPUT_COUNT)->GetHighPass() : nullptr;
        CFilter free, second;
        LoadAndCheck(filter != nullptr ? *filter : free, second, bytes);
        break;
    }
    }
    for (int i = 0; i < OUTPUT_COUNT; ++i) {
        FuzzCheck(live.GetOutput(i)->GetHighPass()->GetKind() == FILTER_HIGH_PASS, "the high-pass slot keeps its kind");
        FuzzCheck(live.GetOutput(i)->GetLowPass()->GetKind() == FILTER_LOW_PASS, "the low-pass slot keeps its kind");
    }
    return 0;
}
