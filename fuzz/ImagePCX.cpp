// Feeds arbitrary bytes to the PCX decoder.

#include "engine/Display/ImageLoaderPCX.h"
#include "fuzz/ImageFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceLogForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzImageLoader<Korva::cImageLoaderPCX>("fuzz.pcx", data, size);
}
