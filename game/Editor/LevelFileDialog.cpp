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
    // Save proposes this file from now on.
    m_host.SetLevelFile(fileName);
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
    StopAsking();
    m_saveRequested = false;
    const std::string file = m_host.GetLevelFile();
    const std::string levelName = m_host.GetLevelName();
    m_name->SetText(!file.empty()                           ? UserLevelFiles::NameOf(file)
                    : UserLevelFiles::IsSafeName(levelName) ? levelName
                                                            : std::string());
    GetList().Select(!file.empty() ? file : UserLevelFiles::FileNameOf(m_name->GetText()));
    m_focusPending = true;
}

std::string cSaveLevelDialog::ListedFileOf(const std::string& name) const
{
    const cLevelFileList& list = GetList();
    // The selected file first: two files may differ only in their extension.
    const std::string selected = list.GetSelectedName();
    if (!selected.empty() && UserLevelFiles::NameOf(selected) == name)
        return selected;
    for (const std::string& file : list.GetNames())
        if (UserLevelFiles::NameOf(file) == name)
            return file;
    return "";
}

void cSaveLevelDialog::RequestSave()
{
    if (m_overwrite->IsOpen())
        return;
    const std::string name = m_name->GetText();
    const std::string listed = ListedFileOf(name);
    if (!listed.empty())
    {
        Ask(listed);
        return;
    }
    const std::string problem = UserLevelFiles::CheckName(name);
    if (!problem.empty())
    {
        SetMessage(problem);
        return;
    }
    // Made since the list was read (or not listed, as a folder): ask too.
    if (UserLevelFiles::Exists(m_fileSystem, name))
    {
        Ask(UserLevelFiles::FileNameOf(name));
        return;
    }
    SaveFile(UserLevelFiles::FileNameOf(name));
}

bool cSaveLevelDialog::Save(const std::string& name)
{
    const std::string listed = ListedFileOf(name);
    if (listed.empty())
    {
        const std::string problem = UserLevelFiles::CheckName(name);
        if (!problem.empty())
        {
            SetMessage(problem);
            return false;
        }
    }
    return SaveFile(listed.empty() ? UserLevelFiles::FileNameOf(name) : listed);
}

bool cSaveLevelDialog::SaveFile(const std::string& file)
{
    std::string error;
    if (!UserLevelFiles::SaveFile(m_fileSystem, file, m_host.GetLevel(), error))
    {
        SetMessage(error);
        return false;
    }
    m_host.SetLevelFile(file);
    SetMessage("");
    m_host.ClosePopup();
    return true;
}

void cSaveLevelDialog::Ask(const std::string& file)
{
    m_pendingFile = file;
    SetMessage("A level named '" + UserLevelFiles::NameOf(file) + "' exists. Replace it?");
    m_overwrite->Open(*this);
    // The question has the keys now: the field must not take the Enter
    // that answers it for a new save.
    m_gui.GetRoot().SetFocus(m_overwrite.get());
}

void cSaveLevelDialog::StopAsking()
{
    const bool asking = m_overwrite->IsOpen();
    m_overwrite->Close();
    m_pendingFile.clear();
    if (asking && GetParent())
        m_gui.GetRoot().SetFocus(m_name.get());
}

bool cSaveLevelDialog::OnEnterKey()
{
    if (!m_overwrite->IsOpen())
        return false;
    return m_overwrite->OnEnterKey();
}

bool cSaveLevelDialog::OnEscapeKey()
{
    if (!m_overwrite->IsOpen())
        return false;
    OnPopupNo(m_overwrite.get());
    return true;
}

void cSaveLevelDialog::OnHidden()
{
    cLevelFileDialog::OnHidden();
    StopAsking();
    m_saveRequested = false;
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
    const std::string file = m_pendingFile;
    StopAsking();
    // The question may outlive a dialog the editor has already closed.
    if (!GetParent() || file.empty())
        return;
    SaveFile(file);
}

void cSaveLevelDialog::OnPopupNo(cYesNoPopup* popup)
{
    (void)popup;
    StopAsking();
    SetMessage("");
}

void cSaveLevelDialog::OnTextEntered(const std::string& text, cTextField* field)
{
    (void)text;
    (void)field;
    if (!m_overwrite->IsOpen())
        m_saveRequested = true;
}
