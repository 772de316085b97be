// The only two symbols the engine library exports (see exports.map):
// IKORVA and _IKORVA, one routine at one address.
#include "ikorva.h"

extern "C" __attribute__((visibility("default"))) int IKORVA(int value)
{
    return korva::engine::EngineEntry(value);
}

extern "C" __attribute__((visibility("default"), alias("IKORVA"))) int _IKORVA(int value);
