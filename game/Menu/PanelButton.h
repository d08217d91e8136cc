#pragma once

#include "engine/Gui/Button.h"

#include <memory>
#include <string>

// A button of a menu panel: drawn only by its sprite frames, with the
// standard hover and press sounds; added to `parent` at the rect's position.
std::unique_ptr<Korva::cButton> MakePanelButton(Korva::cWidget& parent, const Korva::cRect& rect,
                                                const std::string& sprite, int32_t normal,
                                                Korva::cButtonListener* listener);
