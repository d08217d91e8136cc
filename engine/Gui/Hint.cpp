#include "engine/Gui/Hint.h"

#include "engine/Display/Font.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace Korva
{

void cHint::Show(const char* text, cWidget* owner)
{
    std::strncpy(m_text, text ? text : "", kMaxLength);
    m_text[kMaxLength] = '\0';
    m_visible = true;
    m_owner = owner;
}

void cHint::Hide(cWidget* owner)
{
    if (owner == m_owner)
        HideAny();
}

void cHint::HideAny()
{
    m_visible = false;
    m_owner = nullptr;
}

void cHint::Update(float dt)
{
    if (m_visible)
        m_alpha = std::min(255.0f, m_alpha + m_fadeIn * dt);
    else
        m_alpha = std::max(0.0f, m_alpha - m_fadeOut * dt);
}

void cHint::Draw(const cFont* font, const cPoint& centre, bool enabled) const
{
    if (!enabled || !font || m_alpha <= 0.0f || m_text[0] == '\0')
        return;
    // The font draws std::strings; one kept buffer avoids a new one per frame.
    thread_local std::string line;
    line.assign(m_text);
    font->DrawText(centre, line, cColor(240, 240, 0, static_cast<int32_t>(m_alpha)), kAlignCenter);
}

} // namespace Korva
