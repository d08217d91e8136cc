#include "engine/Gui/TextBox.h"

#include "engine/Display/Font.h"
#include "engine/Display/RenderDevice.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/KeyCodes.h"

#include <algorithm>

namespace Korva
{

cTextBox::cTextBox(cGUI& gui, const cPoint& size) : cScrollPanel(gui, size, false, true)
{
    SetBackgroundColor(cColor(255, 255, 255, 255));
    Relayout();
}

cFont* cTextBox::GetUsedFont() const
{
    return m_font ? m_font : m_gui.GetDefaultFont();
}

void cTextBox::SetSize(const cPoint& size)
{
    cScrollPanel::SetSize(size);
    Relayout();
}

void cTextBox::SetFont(cFont* font)
{
    m_font = font;
    Relayout();
}

void cTextBox::SetText(const std::string& text)
{
    m_text = text;
    m_caret = 0;
    Relayout();
    SetScrollOffset(0.0f, 0.0f);
}

void cTextBox::SetInnerMargin(int32_t pixels)
{
    m_margin = std::max(0, pixels);
    Relayout();
}

float cTextBox::GetWheelStep() const
{
    const cFont* font = GetUsedFont();
    return font ? 3.0f * static_cast<float>(font->GetHeight()) : cScrollPanel::GetWheelStep();
}

void cTextBox::SetCaret(int32_t index)
{
    MoveCaret(index);
}

void cTextBox::Relayout()
{
    const cFont* font = GetUsedFont();
    m_layoutFont = font;
    m_lines.clear();
    m_caretStale = true;
    if (!font)
        return;
    const int32_t n = static_cast<int32_t>(m_text.size());
    const int32_t limit = GetViewSize().x - 2 * m_margin - 1;
    auto width = [&](int32_t i) { return font->GetCharWidth(static_cast<uint8_t>(m_text[i])); };
    Line line;
    int32_t used = 0;
    auto endLine = [&](int32_t end, bool broken, int32_t next)
    {
        line.length = end - line.start;
        line.broken = broken;
        line.text.assign(m_text, static_cast<size_t>(line.start), static_cast<size_t>(line.length));
        m_lines.push_back(line);
        line = Line();
        line.start = next;
        used = 0;
    };
    int32_t i = 0;
    while (i < n)
    {
        const char c = m_text[static_cast<size_t>(i)];
        if (c == '\n')
        {
            endLine(i, true, i + 1);
            ++i;
            continue;
        }
        if (c == ' ')
        {
            // Spaces stay at the end of the line they follow, even past
            // its edge, so a wrapped line never starts with one.
            used += width(i);
            ++i;
            continue;
        }
        int32_t end = i;
        int32_t wordWidth = 0;
        while (end < n && m_text[static_cast<size_t>(end)] != ' ' &&
               m_text[static_cast<size_t>(end)] != '\n')
            wordWidth += width(end++);
        if (used + wordWidth < limit)
        {
            used += wordWidth;
            i = end;
            continue;
        }
        if (i > line.start)
        {
            endLine(i, false, i);
            continue;
        }
        // A word wider than the view alone: cut it where the line is full,
        // keeping at least one character per line.
        int32_t k = i;
        while (k < end && (k == i || used + width(k) < limit))
            used += width(k++);
        if (k < end)
        {
            endLine(k, false, k);
            i = k;
        }
        else
        {
            i = end;
        }
    }
    endLine(n, false, n + 1);
    SetContentSize(GetViewSize().x,
                   static_cast<int32_t>(m_lines.size()) * font->GetHeight() + 2 * m_margin);
    UpdateCaret();
}

void cTextBox::UpdateCaret()
{
    const cFont* font = GetUsedFont();
    if (!font || m_lines.empty())
        return;
    int32_t line = 0;
    while (line + 1 < static_cast<int32_t>(m_lines.size()) &&
           m_lines[static_cast<size_t>(line + 1)].start <= m_caret)
        ++line;
    int32_t x = 0;
    for (int32_t i = m_lines[static_cast<size_t>(line)].start; i < m_caret; ++i)
        x += font->GetCharWidth(static_cast<uint8_t>(m_text[static_cast<size_t>(i)]));
    m_caretLine = line;
    m_caretPos = cPoint(x, line * font->GetHeight());
    m_caretStale = false;
}

void cTextBox::ScrollToCaret()
{
    const cFont* font = GetUsedFont();
    if (!font)
        return;
    // The caret's line with the margin above and below it in view.
    const float top = static_cast<float>(m_caretPos.y);
    const float bottom = top + static_cast<float>(font->GetHeight() + 2 * m_margin);
    const float view = static_cast<float>(GetViewSize().y);
    if (top < GetScrollY())
        SetScrollOffset(GetScrollX(), top);
    else if (bottom > GetScrollY() + view)
        SetScrollOffset(GetScrollX(), bottom - view);
}

void cTextBox::MoveCaret(int32_t index)
{
    m_caret = std::clamp(index, 0, static_cast<int32_t>(m_text.size()));
    UpdateCaret();
    ScrollToCaret();
}

int32_t cTextBox::IndexAt(int32_t x, int32_t y) const
{
    const cFont* font = GetUsedFont();
    if (!font || m_lines.empty())
        return 0;
    const int32_t count = static_cast<int32_t>(m_lines.size());
    const int32_t lineIndex =
        std::clamp(y < 0 ? -1 : y / std::max(1, font->GetHeight()), 0, count - 1);
    const Line& line = m_lines[static_cast<size_t>(lineIndex)];
    int32_t px = 0;
    int32_t k = line.start;
    const int32_t end = line.start + line.length;
    for (; k < end; ++k)
    {
        const int32_t w = font->GetCharWidth(static_cast<uint8_t>(m_text[static_cast<size_t>(k)]));
        if (px + w / 2 > x)
            break;
        px += w;
    }
    // The end of a wrapped line is the next line's start: stay on this one.
    if (k == end && !line.broken && lineIndex + 1 < count && line.length > 0)
        k = end - 1;
    return k;
}

void cTextBox::OnMouseDown(const cMouseEvent& event, bool handled)
{
    cScrollPanel::OnMouseDown(event, handled);
    if (m_readOnly || event.GetX() >= GetViewSize().x || event.GetY() >= GetViewSize().y)
        return;
    MoveCaret(IndexAt(event.GetX() + static_cast<int32_t>(GetScrollX()) - m_margin,
                      event.GetY() + static_cast<int32_t>(GetScrollY()) - m_margin));
}

void cTextBox::OnKeyDown(const cKeyboardEvent& event)
{
    cScrollPanel::OnKeyDown(event);
    HandleKey(event);
}

void cTextBox::OnKeyRepeat(const cKeyboardEvent& event)
{
    cScrollPanel::OnKeyRepeat(event);
    HandleKey(event);
}

void cTextBox::HandleKey(const cKeyboardEvent& event)
{
    const cFont* font = GetUsedFont();
    if (!font)
        return;
    if (m_caretStale || m_layoutFont != font)
        Relayout();
    const int32_t lineHeight = font->GetHeight();
    const int32_t midY = m_caretPos.y + lineHeight / 2;
    // Editing keys leave a read-only text alone; moving keys still move
    // the (hidden) caret, which scrolls the view.
    switch (event.GetKey())
    {
    case kKeyBackspace:
        if (!m_readOnly && m_caret > 0)
        {
            m_text.erase(static_cast<size_t>(--m_caret), 1);
            Relayout();
            MoveCaret(m_caret);
        }
        break;
    case kKeyDelete:
        if (!m_readOnly && m_caret < static_cast<int32_t>(m_text.size()))
        {
            m_text.erase(static_cast<size_t>(m_caret), 1);
            Relayout();
            MoveCaret(m_caret);
        }
        break;
    case kKeyEnter:
        if (!m_readOnly)
        {
            m_text.insert(m_text.begin() + m_caret, '\n');
            ++m_caret;
            Relayout();
            MoveCaret(m_caret);
        }
        break;
    case kKeyLeft:
        MoveCaret(m_caret - 1);
        break;
    case kKeyRight:
        MoveCaret(m_caret + 1);
        break;
    case kKeyUp:
        MoveCaret(IndexAt(m_caretPos.x, midY - lineHeight));
        break;
    case kKeyDown:
        MoveCaret(IndexAt(m_caretPos.x, midY + lineHeight));
        break;
    case kKeyPageUp:
        MoveCaret(IndexAt(m_caretPos.x, midY - GetViewSize().y));
        break;
    case kKeyPageDown:
        MoveCaret(IndexAt(m_caretPos.x, midY + GetViewSize().y));
        break;
    case kKeyHome:
        MoveCaret(m_lines[static_cast<size_t>(m_caretLine)].start);
        break;
    case kKeyEnd:
        MoveCaret(IndexAt(GetViewSize().x, midY));
        break;
    default:
        break;
    }
}

void cTextBox::OnChar(const cKeyboardEvent& event)
{
    cScrollPanel::OnChar(event);
    const uint8_t c = event.GetCharacter();
    if (m_readOnly || c < 32 || c > 127)
        return;
    m_text.insert(m_text.begin() + m_caret, static_cast<char>(c));
    ++m_caret;
    Relayout();
    MoveCaret(m_caret);
}

void cTextBox::DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight, int32_t offsetX,
                           int32_t offsetY)
{
    (void)viewWidth;
    const cFont* font = GetUsedFont();
    cRenderDevice* device = m_gui.GetRenderDevice();
    if (!font || !device)
        return;
    if (m_layoutFont != font)
        Relayout();
    if (m_caretStale)
    {
        UpdateCaret();
        ScrollToCaret();
        offsetY = static_cast<int32_t>(GetScrollY());
    }
    const int32_t lineHeight = font->GetHeight();
    const int32_t left = x - offsetX + m_margin;
    int32_t top = y - offsetY + m_margin;
    for (const Line& line : m_lines)
    {
        if (top >= y + viewHeight)
            break;
        if (top + lineHeight > y)
            font->DrawText(cPoint(left, top), line.text, m_textColor, kAlignLeft);
        top += lineHeight;
    }
    if (IsFocused() && !m_readOnly)
        device->FillRect(
            cRect(left + m_caretPos.x, y - offsetY + m_margin + m_caretPos.y, 1, lineHeight),
            m_textColor);
}

} // namespace Korva
