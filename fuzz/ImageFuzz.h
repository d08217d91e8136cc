#pragma once

// The body shared by the image decoder fuzzers: a decoder either gives a
// picture of the size it claims or raises its error; it never reads or
// writes out of bounds.

#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"

#include <cstdint>
#include <cstdlib>
#include <span>

inline void SilenceLogForFuzzing()
{
    // Every rejected input raises an exception, which would log.
    Korva::cLog::Get().SetMaxLevel(-1);
}

template <class tLoader> int FuzzImageLoader(const char* name, const uint8_t* data, size_t size)
{
    tLoader loader(name);
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
