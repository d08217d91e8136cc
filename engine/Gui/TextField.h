#pragma once

#include "engine/Gui/Widget.h"

#include <string>
#include <vector>

namespace Korva
{

class cFont;
class cTextField;

class cTextFieldListener
{
public:
    virtual ~cTextFieldListener() = default;
    virtual void OnTextChanged(const std::string& text, cTextField* field)
    {
        (void)text, (void)field;
    }
    virtual void OnTextEntered(const std::string& text, cTextField* field)
    {
        (void)text, (void)field;
    }
};

// A one-line text input (level and author names): typed characters go in at
// the caret, Backspace and Delete take them out, Enter reports the text.
class cTextField : public cWidget
{
public:
    explicit cTextField(cGUI& gui);

    void OnMouseDown(const cMouseEvent& event, bool handled) override;
    void OnKeyDown(const cKeyboardEvent& event) override;
    void OnKeyRepeat(const cKeyboardEvent& event) override;
    void OnChar(const cKeyboardEvent& event) override;
    void Draw(int x, int y, bool drawChildren) override;

    using cWidget::AddListener;
    void AddListener(cTextFieldListener* listener);

    // Puts the caret at the end; listeners are not told. The maximum length
    // limits typing only, not this.
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_text; }
    // How long typing may make the text; below 1: no limit.
    void SetMaxLength(int32_t length) { m_maxLength = length; }
    int32_t GetMaxLength() const { return m_maxLength; }
    void SetCaret(int32_t index);
    int32_t GetCaret() const { return m_caret; }
    void SetFont(cFont* font) { m_font = font; }
    void SetTextColor(const cColor& color) { m_textColor = color; }
    void SetTextInset(int32_t left) { m_inset = left; }

private:
    cFont* GetUsedFont() const;
    void HandleKey(const cKeyboardEvent& event);
    void Changed();

    std::string m_text;
    int32_t m_maxLength = -1;
    int32_t m_caret = 0;
    int32_t m_inset = 3;
    cColor m_textColor{0, 0, 0, 255};
    cFont* m_font = nullptr;
    std::vector<cTextFieldListener*> m_textListeners;
};

} // namespace Korva
