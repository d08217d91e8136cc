#pragma once

// The application's screens are created on first use with the application's
// GUI and registered for their place in the screen switching; shut-down
// destroys them again. A screen a test made itself is used as it is.

#include "engine/Core/Exception.h"
#include "game/GameApplication.h"

#include <memory>
#include <string>

template <class tScreen, class tHost>
tScreen& GetApplicationScreen(tScreen* instance, std::unique_ptr<tScreen>& owned, tHost& host,
                              eScreen screen, const char* name)
{
    if (instance)
        return *instance;
    cGameApplication& app = cGameApplication::Get();
    if (!app.GetGUI())
        KORVA_THROW(Korva::cException, std::string(name) + " needs the GUI.");
    owned = std::make_unique<tScreen>(*app.GetGUI(), host);
    app.SetScreen(screen, owned.get());
    return *owned;
}

template <class tScreen>
void DestroyApplicationScreen(std::unique_ptr<tScreen>& owned, eScreen screen)
{
    if (owned)
    {
        if (Korva::cWidget* parent = owned->GetParent())
            parent->RemoveChild(owned.get());
        cGameApplication::Get().SetScreen(screen, nullptr);
    }
    owned.reset();
}
