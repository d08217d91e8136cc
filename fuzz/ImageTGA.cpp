// Feeds arbitrary bytes to the TGA decoder.

#include "engine/Display/ImageLoaderTGA.h"
#include "fuzz/ImageFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SilenceLogForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzImageLoader<Korva::cImageLoaderTGA>("fuzz.tga", data, size);
}
