#include "engine/Core/Application.h"

#include "engine/Core/Core.h"
#include "engine/Core/Exception.h"

namespace Korva
{

namespace
{
// Constant-initialised, so a global application may register itself during
// static initialisation.
cApplication* g_application = nullptr;
} // namespace

cApplication::cApplication()
{
    if (g_application)
        KORVA_THROW(cException, "Only one instance of cApplication is allowed.");
    g_application = this;
}

cApplication::~cApplication()
{
    if (g_application == this)
        g_application = nullptr;
    if (cCore::Exists())
        cCore::Get().RemoveListener(this);
}

cApplication* cApplication::Get()
{
    return g_application;
}

} // namespace Korva
