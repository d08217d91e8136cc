#include "engine/Gui/TextField.h"

#include "engine/Display/Font.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/KeyCodes.h"

#include <algorithm>

namespace Korva
{

cTextField::cTextField(cGUI& gui) : cWidget(gui)
{
    SetBackgroundColor(cColor(255, 255, 255, 255));
}

void cTextField::AddListener(cTextFieldListener* listener)
{
    if (listener)
        m_textListeners.push_back(listener);
}

cFont* cTextField::GetUsedFont() const
{
    return m_font ? m_font : m_gui.GetDefaultFont();
}

void cTextField::SetText(const std::string& text)
{
    // Only typing is limited: a longer text given by the program (a name
    // read from a file) is kept whole, so storing it back loses nothing.
    m_text = text;
    m_caret = static_cast<int32_t>(m_text.size());
}

void cTextField::SetCaret(int32_t index)
{
    m_caret = std::clamp(index, 0, static_cast<int32_t>(m_text.size()));
}

void cTextField::Changed()
{
    for (size_t i = 0; i < m_textListeners.size(); ++i)
        m_textListeners[i]->OnTextChanged(m_text, this);
}

void cTextField::OnMouseDown(const cMouseEvent& event, bool handled)
{
    cWidget::OnMouseDown(event, handled);
    const cFont* font = GetUsedFont();
    if (!font)
        return;
    int32_t x = m_inset;
    int32_t caret = 0;
    for (; caret < static_cast<int32_t>(m_text.size()); ++caret)
    {
        const int32_t width = font->GetCharWidth(static_cast<uint8_t>(m_text[caret]));
        if (x + width / 2 > event.GetX())
            break;
        x += width;
    }
    m_caret = caret;
}

void cTextField::OnKeyDown(const cKeyboardEvent& event)
{
    cWidget::OnKeyDown(event);
    HandleKey(event);
}

void cTextField::OnKeyRepeat(const cKeyboardEvent& event)
{
    cWidget::OnKeyRepeat(event);
    HandleKey(event);
}

void cTextField::HandleKey(const cKeyboardEvent& event)
{
    const int32_t length = static_cast<int32_t>(m_text.size());
    switch (event.GetKey())
    {
    case kKeyBackspace:
        if (m_caret > 0)
        {
            m_text.erase(static_cast<size_t>(--m_caret), 1);
            Changed();
        }
        break;
    case kKeyDelete:
        if (m_caret < length)
        {
            m_text.erase(static_cast<size_t>(m_caret), 1);
            Changed();
        }
        break;
    case kKeyEnter:
        for (size_t i = 0; i < m_textListeners.size(); ++i)
            m_textListeners[i]->OnTextEntered(m_text, this);
        break;
    case kKeyHome:
        m_caret = 0;
        break;
    case kKeyEnd:
        m_caret = length;
        break;
    case kKeyLeft:
        m_caret = std::max(0, m_caret - 1);
        break;
    case kKeyRight:
        m_caret = std::min(length, m_caret + 1);
        break;
    default:
        break;
    }
}

void cTextField::OnChar(const cKeyboardEvent& event)
{
    cWidget::OnChar(event);
    const uint8_t c = event.GetCharacter();
    if (c < 32 || c > 127)
        return;
    if (m_maxLength > 0 && static_cast<int32_t>(m_text.size()) >= m_maxLength)
        return;
    m_text.insert(m_text.begin() + m_caret, static_cast<char>(c));
    ++m_caret;
    Changed();
}

void cTextField::Draw(int x, int y, bool drawChildren)
{
    cWidget::Draw(x, y, false);
    cRenderDevice* device = m_gui.GetRenderDevice();
    const cFont* font = GetUsedFont();
    if (device && font)
    {
        const int32_t left = x + GetPosition().x + m_inset;
        const int32_t top = y + GetPosition().y + (GetHeight() - font->GetHeight()) / 2;
        font->DrawText(cPoint(left, top), m_text, m_textColor, kAlignLeft);
        if (IsFocused())
        {
            int32_t caretX = left;
            for (int32_t i = 0; i < m_caret; ++i)
                caretX += font->GetCharWidth(static_cast<uint8_t>(m_text[static_cast<size_t>(i)]));
            device->FillRect(cRect(caretX, top, 1, font->GetHeight()), m_textColor);
        }
    }
    if (drawChildren)
        DrawChildren(x, y);
}

} // namespace Korva
