#pragma once

#include "engine/Display/Point.h"

#include <optional>
#include <string>

namespace Korva
{
class cWidget;
}

// What the menu's panels (instructions, options, reset progress, credits)
// ask of the menu that shows them.
class cMenuPanelHost
{
public:
    virtual ~cMenuPanelHost() = default;
    // The menu's hint line, owned by `owner` until it hides it.
    virtual void ShowHint(const std::string& text, Korva::cWidget* owner) = 0;
    // Hides the hint only when `owner` owns it.
    virtual void HideHint(Korva::cWidget* owner) = 0;
    virtual void RequestBackToButtons() = 0;
    virtual void RequestOptionsPanel() = 0;
};

// A panel the menu slides in and out: told when it is added and removed.
class cMenuPanel
{
public:
    virtual ~cMenuPanel() = default;
    virtual void OnEnter() {}
    virtual void OnLeave() {}
    // Where the menu draws the hint line this panel shows (its centre,
    // relative to the panel, over the panel); none: the menu's own line.
    virtual std::optional<Korva::cPoint> GetHintCentre() const { return std::nullopt; }
};
