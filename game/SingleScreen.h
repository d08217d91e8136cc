#pragma once

#include "game/MainLoop.h"

#include <memory>

// The one instance a screen class may have, and the application's: made
// with the application's GUI and a host of type tHost on first use of Get,
// registered for the screen switching as kScreen, and taken down again at
// shut-down. A screen a test makes itself is the instance while it lives.
// The screen's constructor claims the instance and its destructor gives it
// up. The definitions are in game/ApplicationScreen.h.
template <class tScreen, class tHost, eScreen kScreen> class cSingleScreen
{
public:
    static tScreen& Get();
    static tScreen* GetIfExists() { return s_instance; }
    static void Destroy();

protected:
    // False when another instance exists.
    static bool Claim(tScreen* self)
    {
        if (s_instance)
            return false;
        s_instance = self;
        return true;
    }
    static void Unclaim(tScreen* self)
    {
        if (s_instance == self)
            s_instance = nullptr;
    }

private:
    static std::unique_ptr<tScreen>& Owned();
    static inline tScreen* s_instance = nullptr;
};
