#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/TextBox.h"
#include "engine/Gui/TextField.h"
#include "game/Editor/EditorChooser.h"

#include <memory>
#include <string>

// "edit level info": the level's name (one line, at most 30 characters) and
// description (several lines). OK stores both in the editor, Cancel keeps
// what the editor has.
class cLevelInfoDialog : public cEditorChooser
{
public:
    static constexpr int32_t kWidth = 400;
    static constexpr int32_t kHeight = 450;
    static constexpr int32_t kMaxNameLength = 30;

    cLevelInfoDialog(Korva::cGUI& gui, cEditorPanelsHost& host);
    ~cLevelInfoDialog() override;

    // Fills both fields; the description's caret goes to its start.
    void Load(const std::string& name, const std::string& description);

    Korva::cTextField& GetNameField() { return *m_name; }
    Korva::cTextBox& GetDescriptionBox() { return *m_description; }
    Korva::cButton& GetCancelButton() { return *m_cancel; }

    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    void Draw(int x, int y, bool drawChildren) override;

protected:
    void OnPress(const Korva::cPoint& point, int32_t button) override;

private:
    std::unique_ptr<Korva::cSpriteFont> m_font;
    std::unique_ptr<Korva::cHeadlineFont> m_labelFont;
    std::unique_ptr<Korva::cTextField> m_name;
    std::unique_ptr<Korva::cTextBox> m_description;
    std::unique_ptr<Korva::cButton> m_cancel;
};
