#pragma once

#include "engine/Display/Font.h"
#include "engine/Gui/TextBox.h"
#include "game/Menu/Popup.h"

#include <memory>
#include <string>

// A popup of the game screen that shows a fixed text in a read-only,
// scrolling text box; the screen listens to its buttons.
class cTextPopup : public cPopup
{
public:
    // Pixels between the text box's edges and its text.
    static constexpr int32_t kTextMargin = 8;

    cTextPopup(Korva::cGUI& gui, const Korva::cPoint& size, const Korva::cRect& textArea);
    ~cTextPopup() override;

    void SetText(const std::string& text) { m_text->SetText(text); }
    Korva::cTextBox& GetTextBox() { return *m_text; }

protected:
    std::unique_ptr<Korva::cButton> AddButton(const Korva::cRect& rect, int32_t normal,
                                              Korva::cButtonListener* listener);

private:
    std::unique_ptr<Korva::cSpriteFont> m_font;
    std::unique_ptr<Korva::cTextBox> m_text;
};

// Popup 1: the level's title and description; one button closes it.
class cLevelInfoPopup : public cTextPopup
{
public:
    cLevelInfoPopup(Korva::cGUI& gui, Korva::cButtonListener* listener);
    Korva::cButton& GetCloseButton() { return *m_close; }

private:
    std::unique_ptr<Korva::cButton> m_close;
};

// Popup 6: shown when every level of the campaign is completed.
class cGameCompletedPopup : public cTextPopup
{
public:
    static const char* const kText;

    cGameCompletedPopup(Korva::cGUI& gui, Korva::cButtonListener* listener);
    Korva::cButton& GetHomepageButton() { return *m_homepage; }
    Korva::cButton& GetCloseButton() { return *m_close; }

private:
    std::unique_ptr<Korva::cButton> m_homepage;
    std::unique_ptr<Korva::cButton> m_close;
};
