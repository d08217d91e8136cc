#include "engine/Gui/Button.h"

namespace Korva
{

void PlaySoundResource(cResource* sound)
{
    (void)sound;
}

} // namespace Korva
