#pragma once

namespace Korva
{
class cFileSystem;
}
class cLevel;
class cOptions;

// What the editor asks of the program around it: the options, the other
// screens and the web browser. The application provides the real one; tests
// provide their own.
class cEditorHost
{
public:
    virtual ~cEditorHost() = default;
    virtual cOptions& GetOptions() = 0;
    // The game screen plays `level` in test mode and comes back afterwards.
    virtual void RequestTestPlay(const cLevel& level) = 0;
    virtual void RequestMenu() = 0;
    virtual void OpenHomepage() = 0;
    // Where the user-levels folder is; null without one (no load and save).
    virtual Korva::cFileSystem* GetUserFileSystem() = 0;
};

// The host that is the game application.
class cApplicationEditorHost : public cEditorHost
{
public:
    cOptions& GetOptions() override;
    void RequestTestPlay(const cLevel& level) override;
    void RequestMenu() override;
    void OpenHomepage() override;
    Korva::cFileSystem* GetUserFileSystem() override;
};
