#include "game/Editor/LevelFileDialog.h"

#include "engine/Gui/GUI.h"
#include "game/Editor/EditorPanelsHost.h"
#include "game/Editor/UserLevelFiles.h"
#include "game/Game/Level.h"
#include "game/UserLevels.h"

using namespace Korva;

namespace
{
constexpr int32_t kListTop = 40;
constexpr int32_t kListHeight = 250;
constexpr int32_t kMessageTop = 345;
constexpr int32_t kButtonTop = 380;

// Splits `text` at spaces into lines no wider than `width`.
std::vector<std::string> Wrap(const cFont& font, const std::string& text, int32_t width)
{
    std::vector<std::string> lines;
    std::string line;
    size_t from = 0;
    while (from < text.size())
    {
        size_t end = text.find(' ', from);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(from, end - from);
        const std::string joined = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.GetTextWidth(joined) > width)
        {
            lines.push_back(line);
            line = word;
        }
        else
            line = joined;
        from = end + 1;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}
} // namespace

cLevelFileDialog::cLevelFileDialog(cGUI& gui, cEditorPanelsHost& host, cFileSystem& fileSystem,
                                   const std::string& title, int32_t actionFrame)
    : cEditorChooser(gui, host, cPoint(kWidth, kHeight), title, cPoint(90, kButtonTop),
                     actionFrame),
      m_fileSystem(fileSystem), m_font(std::make_unique<cSpriteFont>()),
      m_list(std::make_unique<cLevelFileList>(gui, cPoint(kWidth - 40, kListHeight), this))
{
    AddChild(cPoint(20, kListTop), m_list.get());
    m_cancel = MakeButton(cRect(190, kButtonTop, 80, 28), 19, this);
}

cLevelFileDialog::~cLevelFileDialog()
{
    RemoveAllChildren();
}

void cLevelFileDialog::Refresh()
{
    m_list->SetNames(ListUserLevelFiles(m_fileSystem));
    m_message.clear();
}

void cLevelFileDialog::OnClicked(const cMouseEvent& event, cButton* button)
{
    (void)event;
    if (button == &GetActionButton())
        OnAction();
    else if (button == m_cancel.get())
        m_host.ClosePopup();
}

void cLevelFileDialog::OnPress(const cPoint& point, int32_t button)
{
    (void)point;
    (void)button;
}

void cLevelFileDialog::Draw(int x, int y, bool drawChildren)
{
    cPopup::Draw(x, y, false);
    const cPoint origin = Origin(x, y);
    int32_t lineY = origin.y + kMessageTop;
    for (const std::string& line : Wrap(*m_font, m_message, kWidth - 40))
    {
        m_font->DrawText(cPoint(origin.x + kWidth / 2, lineY), line, cColor(255, 150, 120, 255),
                         kAlignCenter);
        lineY += m_font->GetHeight() + 2;
    }
    if (drawChildren)
        DrawChildren(x, y);
}

// --- load ---

cLoadLevelDialog::cLoadLevelDialog(cGUI& gui, cEditorPanelsHost& host, cFileSystem& fileSystem)
    : cLevelFileDialog(gui, host, fileSystem, "load level", 3)
{
}

bool cLoadLevelDialog::Load(const std::string& fileName)
{
    cLevel level;
    std::string error;
    if (!UserLevelFiles::Load(m_fileSystem, fileName, level, error))
    {
        SetMessage(error);
        return false;
    }
    m_host.SetLevel(level);
    m_host.ClosePopup();
    return true;
}

void cLoadLevelDialog::OnAction()
{
    const std::string name = GetList().GetSelectedName();
    if (name.empty())
        SetMessage(GetList().GetNames().empty() ? "There are no saved levels yet."
                                                : "Please choose a level to load.");
    else
        Load(name);
}

void cLoadLevelDialog::OnLevelChosen(const std::string& name, cLevelFileList* list)
{
    (void)list;
    Load(name);
}

// --- save ---

cSaveLevelDialog::cSaveLevelDialog(cGUI& gui, cEditorPanelsHost& host, cFileSystem& fileSystem)
    : cLevelFileDialog(gui, host, fileSystem, "save level", 6),
      m_labelFont(std::make_unique<cHeadlineFont>()), m_name(std::make_unique<cTextField>(gui)),
      m_overwrite(std::make_unique<cYesNoPopup>(gui, "overwrite level", this))
{
    m_name->SetSize(cPoint(kWidth - 40, 20));
    m_name->SetMaxLength(static_cast<int32_t>(UserLevelFiles::kMaxNameBytes));
    m_name->SetFont(m_font.get());
    m_name->AddListener(static_cast<cTextFieldListener*>(this));
    AddChild(cPoint(20, 318), m_name.get());
}

cSaveLevelDialog::~cSaveLevelDialog()
{
    m_overwrite->Close();
    RemoveAllChildren();
}

void cSaveLevelDialog::Refresh()
{
    cLevelFileDialog::Refresh();
    m_overwrite->Close();
    m_saveRequested = false;
    const std::string levelName = m_host.GetLevelName();
    m_name->SetText(!m_lastName.empty()                     ? m_lastName
                    : UserLevelFiles::IsSafeName(levelName) ? levelName
                                                            : std::string());
    GetList().Select(UserLevelFiles::FileNameOf(m_name->GetText()));
    m_focusPending = true;
}

void cSaveLevelDialog::RequestSave()
{
    if (m_overwrite->IsOpen())
        return;
    const std::string name = m_name->GetText();
    const std::string problem = UserLevelFiles::CheckName(name);
    if (!problem.empty())
    {
        SetMessage(problem);
        return;
    }
    if (UserLevelFiles::Exists(m_fileSystem, name))
    {
        m_pendingName = name;
        SetMessage("A level named '" + name + "' exists. Replace it?");
        m_overwrite->Open(*this);
        return;
    }
    Save(name);
}

bool cSaveLevelDialog::Save(const std::string& name)
{
    std::string error;
    if (!UserLevelFiles::Save(m_fileSystem, name, m_host.GetLevel(), error))
    {
        SetMessage(error);
        return false;
    }
    m_lastName = name;
    SetMessage("");
    m_host.ClosePopup();
    return true;
}

void cSaveLevelDialog::OnAction()
{
    RequestSave();
}

void cSaveLevelDialog::Update(float dt)
{
    cLevelFileDialog::Update(dt);
    if (m_focusPending && GetParent())
    {
        m_focusPending = false;
        m_gui.GetRoot().SetFocus(m_name.get());
    }
    if (m_saveRequested)
    {
        m_saveRequested = false;
        RequestSave();
    }
}

void cSaveLevelDialog::Draw(int x, int y, bool drawChildren)
{
    cLevelFileDialog::Draw(x, y, false);
    const cPoint origin = Origin(x, y);
    m_labelFont->DrawText(cPoint(origin.x + 20, origin.y + 298), "level name",
                          cColor(240, 240, 0, 255), kAlignLeft);
    if (drawChildren)
        DrawChildren(x, y);
}

void cSaveLevelDialog::OnLevelSelected(const std::string& fileName, cLevelFileList* list)
{
    (void)list;
    if (!m_overwrite->IsOpen())
        m_name->SetText(UserLevelFiles::NameOf(fileName));
}

void cSaveLevelDialog::OnLevelChosen(const std::string& fileName, cLevelFileList* list)
{
    (void)list;
    if (m_overwrite->IsOpen())
        return;
    m_name->SetText(UserLevelFiles::NameOf(fileName));
    RequestSave();
}

void cSaveLevelDialog::OnPopupYes(cYesNoPopup* popup)
{
    (void)popup;
    m_overwrite->Close();
    // The question may outlive a dialog the editor has already closed.
    if (!GetParent() || m_pendingName.empty())
        return;
    const std::string name = m_pendingName;
    m_pendingName.clear();
    Save(name);
}

void cSaveLevelDialog::OnPopupNo(cYesNoPopup* popup)
{
    (void)popup;
    m_overwrite->Close();
    m_pendingName.clear();
    SetMessage("");
}

void cSaveLevelDialog::OnTextEntered(const std::string& text, cTextField* field)
{
    (void)text;
    (void)field;
    m_saveRequested = true;
}
