#pragma once

#include "game/Game/Screen/GamePopups.h"

#include <memory>
#include <string>

// Tells the player that a user level could not be played and why. OK, Enter
// or Esc closes it; the level stays in the list.
class cLoadFailedPopup : public cTextPopup, public Korva::cButtonListener
{
public:
    static constexpr int32_t kWidth = 360;
    static constexpr int32_t kHeight = 230;

    explicit cLoadFailedPopup(Korva::cGUI& gui);
    ~cLoadFailedPopup() override;

    // Shows the message for `file`, centred in `parent`.
    void Open(Korva::cWidget& parent, const std::string& file, const std::string& reason);
    void Close();
    bool IsOpen() const { return GetParent() != nullptr; }
    const std::string& GetMessage() const { return m_message; }

    void OnClicked(const Korva::cMouseEvent& event, Korva::cButton* button) override;
    Korva::cButton& GetOkButton() { return *m_ok; }

private:
    std::string m_message;
    std::unique_ptr<Korva::cButton> m_ok;
};
