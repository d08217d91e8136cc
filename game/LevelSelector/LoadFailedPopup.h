#pragma once

#include "game/Game/Screen/GamePopups.h"

#include <memory>
#include <string>

// Tells the player that a user level could not be played and why. OK (heard
// by `listener`), Enter or Esc closes it; the level stays in the list.
class cLoadFailedPopup : public cTextPopup
{
public:
    static constexpr int32_t kWidth = 360;
    static constexpr int32_t kHeight = 230;

    cLoadFailedPopup(Korva::cGUI& gui, Korva::cButtonListener* listener);

    // The message for `file` and, when known, why.
    void SetMessage(const std::string& file, const std::string& reason);
    bool IsOpen() const { return GetParent() != nullptr; }
    const std::string& GetMessage() const { return m_message; }
    Korva::cButton& GetOkButton() { return *m_ok; }

private:
    std::string m_message;
    std::unique_ptr<Korva::cButton> m_ok;
};
