#pragma once

namespace Korva
{
class cWidget;
}

// What the application needs of each of its four screens (menu, level
// selector, game, editor): a widget that becomes the GUI's content while the
// screen is shown, and the calls around that.
class cScreen
{
public:
    virtual ~cScreen() = default;
    virtual Korva::cWidget& GetScreenWidget() = 0;
    // After the widget has been put on the GUI root.
    virtual void Activate() {}
    // Before the widget leaves the GUI root.
    virtual void Deactivate() {}
};
