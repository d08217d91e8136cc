#include "game/Game/Screen/GameHost.h"

#include "game/GameApplication.h"
#include "game/LevelSelector/LevelSelector.h"

cOptions& cApplicationGameHost::GetOptions()
{
    return cGameApplication::Get().GetOptions();
}

void cApplicationGameHost::ToggleFullScreen()
{
    cGameApplication& app = cGameApplication::Get();
    app.SetDisplayMode(!app.GetOptions().IsFullScreen(), app.GetOptions().GetBitDepth());
}

void cApplicationGameHost::MarkLevelCompleted(const std::string& alias)
{
    // A failed save is logged and tried again later; the level stays recorded.
    cGameApplication::Get().MarkLevelCompleted(alias);
}

bool cApplicationGameHost::IsLevelCompleted(const std::string& alias) const
{
    return cGameApplication::Get().IsLevelCompleted(alias);
}

void cApplicationGameHost::RequestLevelSelector()
{
    cGameApplication::Get().RequestLevelSelector();
}

void cApplicationGameHost::RequestMenu()
{
    cGameApplication::Get().RequestMenu();
}

void cApplicationGameHost::RequestEditor()
{
    cGameApplication::Get().RequestEditorWithLevel();
}

void cApplicationGameHost::OpenHomepage()
{
    cGameApplication::Get().OpenHomepage();
}

void cApplicationGameHost::SelectCampaignLevel(int index)
{
    if (cLevelSelector* selector = cLevelSelector::GetIfExists())
        selector->SelectLevel(index);
}
