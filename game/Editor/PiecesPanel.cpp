#include "game/Editor/PiecesPanel.h"

#include "engine/Display/RenderDevice.h"
#include "engine/Display/Sprite.h"
#include "engine/Gui/GUI.h"
#include "engine/Input/InputDevice.h"
#include "engine/Input/KeyCodes.h"
#include "game/Editor/EditorPanelsHost.h"
#include "game/Menu/MenuResources.h"
#include "game/SoundPlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Korva;

cPiecesPanel::cPiecesPanel(cGUI& gui, cEditorPanelsHost& host)
    : cWidget(gui), m_host(host), m_scrollbar(std::make_unique<cScrollbar>(gui, true)),
      m_panels(FindSprite("SprPiecesPanels")), m_bricks(cBrickSprites::Find("Small")),
      m_bomb(std::make_unique<cAnimPlayer>(m_bricks.bomb)),
      m_plasma(std::make_unique<cAnimPlayer>(m_bricks.plasma))
{
    SetSize(cPoint(kWidth, kHeight));
    SetBackgroundFill(false);
    SetBorder(false);
    m_bomb->Play(0);
    m_plasma->Play(0);
    // The small bar has the big one's frame layout.
    m_scrollbar->SetSize(cPoint(10, kHeight - 4));
    if (cSprite* sprite = GetSprite(FindSpriteResource("SprScrollbarSmall")))
    {
        m_scrollbar->SetSprite(sprite);
        m_scrollbar->SetBevel(false);
        m_scrollbar->GetBackButton().SetFrames(0, 1, 2);
        m_scrollbar->GetForwardButton().SetFrames(3, 4, 5);
        m_scrollbar->SetTrackFrames(6, 7, 8);
        m_scrollbar->SetThumbFrames(kButtonNormal, 9, 10, 11);
        m_scrollbar->SetThumbFrames(kButtonHover, 12, 13, 14);
        m_scrollbar->SetThumbFrames(kButtonPressed, 15, 16, 17);
    }
    m_scrollbar->AddListener(static_cast<cScrollbarListener*>(this));
    m_scrollbar->SetWheelStep(0.0f);
    AddChild(cPoint(80, 2), m_scrollbar.get());
    AddListener(static_cast<cWidgetListener*>(this));
    Refresh();
}

cPiecesPanel::~cPiecesPanel()
{
    RemoveAllChildren();
}

bool cPiecesPanel::ShiftHeld() const
{
    const cInputDevice* input = m_gui.GetInputDevice();
    return input && (input->IsKeyDown(kKeyLeftShift) || input->IsKeyDown(kKeyRightShift));
}

float cPiecesPanel::MaxOffset() const
{
    return static_cast<float>(std::max(0, m_contentHeight - VisibleHeight()));
}

void cPiecesPanel::SetOffset(float offset)
{
    m_offset = std::clamp(offset, 0.0f, MaxOffset());
    const float range = MaxOffset();
    m_scrollbar->SetValue(range > 0.0f ? m_offset / range : 0.0f, false);
}

void cPiecesPanel::Refresh()
{
    const int32_t content = kEntryHeight * m_host.GetPieceCount();
    if (content == m_contentHeight)
        return;
    m_contentHeight = content;
    if (content <= VisibleHeight())
    {
        m_scrollbar->SetPageSize(1.0f);
        SetOffset(0.0f);
    }
    else
    {
        m_scrollbar->SetPageSize(static_cast<float>(VisibleHeight()) / static_cast<float>(content));
        SetOffset(m_offset);
    }
}

void cPiecesPanel::Update(float dt)
{
    cWidget::Update(dt);
    m_bomb->Update(dt);
    m_plasma->Update(dt);
    Refresh();
    if (m_upHeld)
        SetOffset(m_offset - kScrollSpeed * dt);
    if (m_downHeld)
        SetOffset(m_offset + kScrollSpeed * dt);
    if (m_holdArmed)
    {
        m_holdTime += dt;
        if (m_holdTime >= kHoldTime)
        {
            m_holdArmed = false;
            m_host.OpenPopup(cEditorPanelsHost::kPopupPiece);
        }
    }
}

void cPiecesPanel::OnMouseDown(const cMouseEvent& event, bool handled)
{
    if (!handled && m_host.IsPopupOpen())
        m_host.ClosePopup();
    cWidget::OnMouseDown(event, handled);
}

bool cPiecesPanel::OnMouseWheel(const cMouseEvent& event)
{
    if (MaxOffset() <= 0.0f || event.GetWheelY() == 0.0f)
        return false;
    SetOffset(m_offset - event.GetWheelY() * static_cast<float>(kEntryHeight));
    return true;
}

void cPiecesPanel::OnMouseDown(const cMouseEvent& event, cWidget* widget)
{
    if (widget != this)
        return;
    const int32_t x = event.GetX();
    const int32_t y = event.GetY();
    if (x < 1 || x > kEntryHeight || y < 1 || y >= kHeight - 2)
        return;
    const int index = static_cast<int>((m_offset + static_cast<float>(y - 1)) / kEntryHeight);
    if (index >= m_host.GetPieceCount())
        m_host.ResizePieceList(index + 1);
    if (m_host.IsPieceMode() && ShiftHeld())
        m_host.SwapPieces(index, m_host.GetSelectedPiece());
    m_host.SelectPiece(index);
    m_host.PlaySound(kSndButtonPressed);
    if (event.GetButton() == kMouseButtonLeft)
    {
        m_holdArmed = true;
        m_holdTime = 0.0f;
    }
    Refresh();
}

void cPiecesPanel::OnMouseUp(const cMouseEvent& event, cWidget* widget)
{
    if (widget != this)
        return;
    if (event.GetButton() == kMouseButtonLeft)
        m_holdArmed = false;
    else if (event.GetButton() == kMouseButtonRight && m_host.IsPieceMode() &&
             !m_host.IsPopupOpen())
        m_host.OpenPopup(cEditorPanelsHost::kPopupPiece);
}

void cPiecesPanel::OnMouseMove(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    if (widget != this)
        return;
    m_holdArmed = false;
    if (!m_host.IsPopupOpen())
        m_host.ShowHint(kHint, this);
}

void cPiecesPanel::OnMouseLeave(const cMouseEvent& event, cWidget* widget)
{
    (void)event;
    if (widget != this)
        return;
    m_holdArmed = false;
    m_host.HideHint(this);
}

void cPiecesPanel::OnBackPressed(cScrollbar* scrollbar)
{
    (void)scrollbar;
    m_upHeld = true;
}

void cPiecesPanel::OnForwardPressed(cScrollbar* scrollbar)
{
    (void)scrollbar;
    m_downHeld = true;
}

void cPiecesPanel::OnBackReleased(cScrollbar* scrollbar)
{
    (void)scrollbar;
    m_upHeld = false;
}

void cPiecesPanel::OnForwardReleased(cScrollbar* scrollbar)
{
    (void)scrollbar;
    m_downHeld = false;
}

void cPiecesPanel::OnValueChanged(float value, cScrollbar* scrollbar)
{
    (void)scrollbar;
    m_offset = std::clamp(value, 0.0f, 1.0f) * MaxOffset();
}

void cPiecesPanel::Draw(int x, int y, bool drawChildren)
{
    cWidget::Draw(x, y, false);
    const int32_t left = x + GetPosition().x;
    const int32_t top = y + GetPosition().y;
    cBrickLook look;
    look.multiPhase = m_host.GetPulsePhaseA();
    look.starPhase = m_host.GetPulsePhaseB();
    look.bombFrame = m_bomb->GetFrame();
    look.plasmaFrame = m_plasma->GetFrame();
    const int count = m_host.GetPieceCount();
    const bool pieceMode = m_host.IsPieceMode();
    const int selected = m_host.GetSelectedPiece();
    const int32_t offset = static_cast<int32_t>(m_offset);
    cRenderDevice* device = m_gui.GetRenderDevice();
    const bool wasClipping = device && device->IsClipEnabled();
    if (device)
    {
        device->PushClip();
        device->SetClip(cRect(left + 1, top + 1, kEntryHeight, VisibleHeight()));
    }
    // Drawn back to front so the lower bricks of a flower overlap the upper.
    static constexpr int kOrder[7] = {1, 6, 2, 0, 5, 3, 4};
    for (int i = offset / kEntryHeight; i < count; ++i)
    {
        const int32_t entryY = 1 + kEntryHeight * i - offset;
        if (entryY >= kHeight - 1)
            break;
        if (m_panels)
            m_panels->DrawFrame(left + 1, top + entryY, pieceMode && i == selected ? 1 : 0);
        const tPiece piece = m_host.GetPiece(i);
        const int32_t cx = left + 40;
        const int32_t cy = top + entryY + 39;
        for (const int slot : kOrder)
        {
            const int code = piece[static_cast<size_t>(slot)];
            if (code == 0)
                continue;
            int32_t bx = cx, by = cy;
            if (slot > 0)
            {
                const float a = static_cast<float>(slot - 1) * std::numbers::pi_v<float> / 3.0f;
                bx = cx + static_cast<int32_t>(std::lround(28.0f * std::sin(a)));
                by = cy - static_cast<int32_t>(std::lround(25.0f * std::cos(a)));
            }
            DrawBrick(m_bricks, look, code, bx, by);
        }
    }
    if (device)
    {
        device->PopClip();
        if (!wasClipping)
            device->ResetClip();
    }
    if (drawChildren)
        DrawChildren(x, y);
}
