#pragma once

#include "engine/Gui/ScrollPanel.h"

#include <string>
#include <vector>

namespace Korva
{

class cFont;

// Multi-line text with a caret and a vertical scrollbar; the popups and
// dialogs show and edit their texts in it. Lines wrap at word boundaries to
// the view's width; a line break character always ends a line.
class cTextBox : public cScrollPanel
{
public:
    cTextBox(cGUI& gui, const cPoint& size);

    void SetSize(const cPoint& size) override;
    void OnMouseDown(const cMouseEvent& event, bool handled) override;
    void OnKeyDown(const cKeyboardEvent& event) override;
    void OnKeyRepeat(const cKeyboardEvent& event) override;
    void OnChar(const cKeyboardEvent& event) override;
    void DrawContent(int x, int y, int32_t viewWidth, int32_t viewHeight, int32_t offsetX,
                     int32_t offsetY) override;
    // Three lines a notch.
    float GetWheelStep() const override;

    // Puts the caret at the start and the view at the top.
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_text; }
    void SetFont(cFont* font);
    void SetReadOnly(bool on) { m_readOnly = on; }
    bool IsReadOnly() const { return m_readOnly; }
    void SetTextColor(const cColor& color) { m_textColor = color; }
    // Empty space between the view's edges and the text on every side
    // (0 by default); the text wraps within what is left.
    void SetInnerMargin(int32_t pixels);
    int32_t GetInnerMargin() const { return m_margin; }
    void SetCaret(int32_t index);
    int32_t GetCaret() const { return m_caret; }

    // Layout, for callers and tests.
    int32_t GetLineCount() const { return static_cast<int32_t>(m_lines.size()); }
    const std::string& GetLine(int32_t line) const
    {
        return m_lines[static_cast<size_t>(line)].text;
    }
    int32_t GetLineStart(int32_t line) const { return m_lines[static_cast<size_t>(line)].start; }
    int32_t GetCaretLine() const { return m_caretLine; }
    // Caret position in text pixels (top-left of the caret; the inner
    // margin not counted).
    cPoint GetCaretPosition() const { return m_caretPos; }

private:
    struct Line
    {
        int32_t start = 0;
        // Characters on the line, without the line break that may end it.
        int32_t length = 0;
        // Whether a line break character ends it (else a wrap or the end).
        bool broken = false;
        std::string text;
    };

    cFont* GetUsedFont() const;
    void HandleKey(const cKeyboardEvent& event);
    void Relayout();
    void UpdateCaret();
    void ScrollToCaret();
    // The index nearest to a point in content pixels.
    int32_t IndexAt(int32_t x, int32_t y) const;
    void MoveCaret(int32_t index);

    std::string m_text;
    int32_t m_caret = 0;
    cFont* m_font = nullptr;
    bool m_readOnly = false;
    cColor m_textColor{0, 0, 0, 255};
    int32_t m_margin = 0;
    std::vector<Line> m_lines;
    int32_t m_caretLine = 0;
    cPoint m_caretPos;
    bool m_caretStale = true;
    const cFont* m_layoutFont = nullptr;
};

} // namespace Korva
