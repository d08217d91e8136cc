#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/TextField.h"
#include "game/Editor/EditorChooser.h"
#include "game/Editor/LevelFileList.h"
#include "game/Menu/YesNoPopup.h"

#include <memory>
#include <string>

namespace Korva
{
class cFileSystem;
}

// Base of the load and save dialogs: the user levels in a list, a message
// line for what went wrong, the action button (the chooser's OK) and Cancel.
// The editor calls Refresh before showing the dialog.
class cLevelFileDialog : public cEditorChooser, public cLevelFileListListener
{
public:
    static constexpr int32_t kWidth = 360;
    static constexpr int32_t kHeight = 420;

    cLevelFileDialog(Korva::cGUI& gui, cEditorPanelsHost& host, Korva::cFileSystem& fileSystem,
                     const std::string& title, int32_t actionFrame);
    ~cLevelFileDialog() override;

    // Lists the folder again and clears the message.
    virtual void Refresh();

    const std::string& GetMessage() const { return m_message; }
    cLevelFileList& GetList() { return *m_list; }
    const cLevelFileList& GetList() const { return *m_list; }
    Korva::cButton& GetActionButton() { return GetOkButton(); }
    Korva::cButton& GetCancelButton() { return *m_cancel; }

    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void Draw(int x, int y, bool drawChildren) override;

protected:
    // The action button, a double click, or Enter in the name field.
    virtual void OnAction() = 0;
    void OnPress(const Korva::cPoint& point, int32_t button) override;
    void SetMessage(const std::string& text) { m_message = text; }

    Korva::cFileSystem& m_fileSystem;
    std::unique_ptr<Korva::cSpriteFont> m_font;

private:
    std::unique_ptr<cLevelFileList> m_list;
    std::unique_ptr<Korva::cButton> m_cancel;
    std::string m_message;
};

// Replaces the level being edited by a level file chosen from the list. A
// file that can't be loaded leaves the editor's level as it was and says why.
class cLoadLevelDialog : public cLevelFileDialog
{
public:
    cLoadLevelDialog(Korva::cGUI& gui, cEditorPanelsHost& host, Korva::cFileSystem& fileSystem);

    // Loads the listed file `fileName` into the editor and closes; false
    // (with the message set) when the file is refused.
    bool Load(const std::string& fileName);

    void OnLevelChosen(const std::string& name, cLevelFileList* list) override;

protected:
    void OnAction() override;
};

// Writes the level being edited under a name typed into the field or taken
// from the list. An existing file is only replaced after a yes; names that
// are not safe file names are refused; a failed write says so and keeps
// everything as it was. While the question is open it has the keys: Enter
// (handed on by the editor) answers yes, Esc no.
class cSaveLevelDialog : public cLevelFileDialog,
                         public cYesNoPopupListener,
                         public Korva::cTextFieldListener
{
public:
    cSaveLevelDialog(Korva::cGUI& gui, cEditorPanelsHost& host, Korva::cFileSystem& fileSystem);
    ~cSaveLevelDialog() override;

    // Also proposes a name: the file the level came from or was last saved
    // to, else the level's own name when it is a safe file name.
    void Refresh() override;
    // Saves under the field's name, first asking when the file exists.
    void RequestSave();
    // Writes the listed file, or the file of a new name, at once; false
    // (with the message set) on failure.
    bool Save(const std::string& name);
    // The file a save under `name` writes: the listed file shown under that
    // name (whatever the case of its extension or the length of its name),
    // or "" when none is listed.
    std::string ListedFileOf(const std::string& name) const;

    Korva::cTextField& GetNameField() { return *m_name; }
    cYesNoPopup& GetOverwritePopup() { return *m_overwrite; }
    bool IsAskingOverwrite() const { return m_overwrite->IsOpen(); }

    bool OnEnterKey() override;
    bool OnEscapeKey() override;
    void OnHidden() override;
    void Update(float dt) override;
    void Draw(int x, int y, bool drawChildren) override;
    void OnLevelSelected(const std::string& name, cLevelFileList* list) override;
    void OnLevelChosen(const std::string& name, cLevelFileList* list) override;
    void OnPopupYes(cYesNoPopup* popup) override;
    void OnPopupNo(cYesNoPopup* popup) override;
    void OnTextEntered(const std::string& text, Korva::cTextField* field) override;

protected:
    void OnAction() override;

private:
    void Ask(const std::string& file);
    void StopAsking();
    bool SaveFile(const std::string& file);

    std::unique_ptr<Korva::cHeadlineFont> m_labelFont;
    std::unique_ptr<Korva::cTextField> m_name;
    std::unique_ptr<cYesNoPopup> m_overwrite;
    // The file the open question is about.
    std::string m_pendingFile;
    // Enter in the field saves on the next update, so the key press that
    // opened the overwrite question can't also answer it.
    bool m_saveRequested = false;
    bool m_focusPending = false;
};
