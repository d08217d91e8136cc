#pragma once

// What cSingleScreen does with the running application. Included by the
// screen's own source, which instantiates the template for its class.

#include "engine/Core/Exception.h"
#include "game/GameApplication.h"
#include "game/SingleScreen.h"

#include <memory>
#include <string>

template <class tScreen, class tHost, eScreen kScreen>
std::unique_ptr<tScreen>& cSingleScreen<tScreen, tHost, kScreen>::Owned()
{
    static std::unique_ptr<tScreen> owned;
    return owned;
}

template <class tScreen, class tHost, eScreen kScreen>
tScreen& cSingleScreen<tScreen, tHost, kScreen>::Get()
{
    if (s_instance)
        return *s_instance;
    static tHost host;
    cGameApplication& app = cGameApplication::Get();
    if (!app.GetGUI())
        KORVA_THROW(Korva::cException, std::string(tScreen::kName) + " needs the GUI.");
    Owned() = std::make_unique<tScreen>(*app.GetGUI(), host);
    app.SetScreen(kScreen, Owned().get());
    return *Owned();
}

template <class tScreen, class tHost, eScreen kScreen>
void cSingleScreen<tScreen, tHost, kScreen>::Destroy()
{
    std::unique_ptr<tScreen>& owned = Owned();
    if (owned)
    {
        if (Korva::cWidget* parent = owned->GetParent())
            parent->RemoveChild(owned.get());
        cGameApplication::Get().SetScreen(kScreen, nullptr);
    }
    owned.reset();
}
