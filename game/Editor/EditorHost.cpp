#include "game/Editor/EditorHost.h"

#include "game/GameApplication.h"

cOptions& cApplicationEditorHost::GetOptions()
{
    return cGameApplication::Get().GetOptions();
}

void cApplicationEditorHost::RequestTestPlay(const cLevel& level)
{
    cGameApplication::Get().RequestTestPlay(level);
}

void cApplicationEditorHost::RequestMenu()
{
    cGameApplication::Get().RequestMenu();
}

Korva::cFileSystem* cApplicationEditorHost::GetUserFileSystem()
{
    return cGameApplication::Get().GetUserFileSystem();
}

void cApplicationEditorHost::OpenHomepage()
{
    cGameApplication::Get().OpenHomepage();
}
