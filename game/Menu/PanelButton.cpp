#include "game/Menu/PanelButton.h"

#include "game/Menu/MenuResources.h"

using namespace Korva;

std::unique_ptr<cButton> MakePanelButton(cWidget& parent, const cRect& rect,
                                         const std::string& sprite, int32_t normal,
                                         cButtonListener* listener)
{
    auto button = std::make_unique<cButton>(parent.GetGUI());
    button->SetSize(cPoint(rect.width, rect.height));
    button->SetBackgroundFill(false);
    button->SetBorder(false);
    button->SetBevel(false);
    button->SetSprite(GetSprite(FindSpriteResource(sprite)));
    button->SetFrames(normal, normal + 1, normal + 2);
    button->SetHoverSound(FindSoundResource("SndButtonHover"));
    button->SetPressSound(FindSoundResource("SndButtonPressed"));
    button->AddListener(listener);
    parent.AddChild(cPoint(rect.x, rect.y), button.get());
    return button;
}
