// Feeds arbitrary bytes to the TGA decoder: it either decodes a picture of
// the size it claims or raises its error; it never reads or writes out of
// bounds.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"
#include "engine/Display/ImageLoaderTGA.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Every rejected input raises an exception, which would log.
    Korva::cLog::Get().SetMaxLevel(-1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Korva::cImageLoaderTGA loader("fuzz.tga");
    try
    {
        loader.Decode({data, size});
    }
    catch (const Korva::cException&)
    {
        return 0;
    }
    if (loader.GetWidth() <= 0 || loader.GetHeight() <= 0 || !loader.GetPixels())
        std::abort();
    return 0;
}
