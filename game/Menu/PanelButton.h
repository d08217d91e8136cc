#pragma once

#include "engine/Gui/Button.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

// A button of a menu panel: drawn only by its sprite frames, with the
// standard hover and press sounds; added to `parent` at the rect's position.
std::unique_ptr<Korva::cButton> MakePanelButton(Korva::cWidget& parent, const Korva::cRect& rect,
                                                const std::string& sprite, int32_t normal,
                                                Korva::cButtonListener* listener);

// A button of a screen's side panels: where it sits, its first frame in the
// panels' sprite and the hint it shows.
struct sPanelButtonLayout
{
    Korva::cRect rect;
    int32_t frame;
    const char* hint;
};

// Which of a screen's panel buttons `widget` is; -1 for any other widget.
template <size_t N>
int PanelButtonIndex(const std::array<std::unique_ptr<Korva::cButton>, N>& buttons,
                     const Korva::cWidget* widget)
{
    for (size_t i = 0; i < N; ++i)
        if (widget && widget == buttons[i].get())
            return static_cast<int>(i);
    return -1;
}

// The panel button `index`; null past the ends.
template <size_t N>
Korva::cButton* PanelButtonAt(const std::array<std::unique_ptr<Korva::cButton>, N>& buttons,
                              int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return nullptr;
    return buttons[static_cast<size_t>(index)].get();
}

// The hint of `widget` when it is one of a screen's panel buttons; null for
// any other widget.
template <size_t N>
const char* PanelButtonHint(const sPanelButtonLayout (&layouts)[N],
                            const std::array<std::unique_ptr<Korva::cButton>, N>& buttons,
                            const Korva::cWidget* widget)
{
    const int index = PanelButtonIndex(buttons, widget);
    return index < 0 ? nullptr : layouts[static_cast<size_t>(index)].hint;
}

// A screen's panel buttons, from `sprite` except the maker's logo (index
// `logo`), which shows "SprQuillbee". The screen hears their clicks, and
// their pointer entering and leaving for its hints.
template <size_t N, class tScreen>
void MakeScreenButtons(tScreen& screen, const sPanelButtonLayout (&layouts)[N], size_t logo,
                       const std::string& sprite,
                       std::array<std::unique_ptr<Korva::cButton>, N>& buttons)
{
    for (size_t i = 0; i < N; ++i)
    {
        const bool isLogo = i == logo;
        buttons[i] = MakePanelButton(screen, layouts[i].rect, isLogo ? "SprQuillbee" : sprite,
                                     layouts[i].frame, &screen);
        buttons[i]->Korva::cWidget::AddListener(static_cast<Korva::cWidgetListener*>(&screen));
        if (isLogo)
            buttons[i]->SetFrames(0, 1, 0);
    }
}
