#pragma once

#include "engine/Core/Event.h"

#include <string>

namespace Korva
{

// The program's application object; the process entry hands control to it.
// Exactly one may exist: the game defines it as a global object, and a
// second one raises "Only one instance of cApplication is allowed.".
// RunProcess registers it as a core listener.
class cApplication : public cEventListener
{
public:
    cApplication();
    ~cApplication() override;
    cApplication(const cApplication&) = delete;
    cApplication& operator=(const cApplication&) = delete;

    // The one application, or nullptr while there is none.
    static cApplication* Get();

    void OnEvent(const cEvent& event) override { (void)event; }
    // The program itself; the result is the process's exit code.
    virtual int Main(int argc, char** argv) = 0;
    virtual std::string GetName() const = 0;
};

} // namespace Korva
