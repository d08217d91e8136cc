#include "engine/Core/RunProcess.h"

#include "engine/Core/Application.h"
#include "engine/Core/Core.h"
#include "engine/Core/Exception.h"
#include "engine/Core/Log.h"

#include <exception>

namespace Korva
{

int RunProcess(int argc, char** argv)
{
    cCore& core = cCore::Get();
    cApplication* application = cApplication::Get();
    if (!application)
    {
        core.ShowMessage("KorvaLib - Error", "No instance of cApplication found.");
        cCore::Destroy();
        return -1;
    }

    core.SetArguments(argc, argv);
    core.AddListener(application);
    int exitCode = -1;
    try
    {
        exitCode = application->Main(argc, argv);
    }
    catch (const cException& exception)
    {
        core.ShowMessage(application->GetName() + " - Error", exception.GetText());
    }
    // Anything else escaping Main would end the process without closing the
    // log or telling the user; report it the same way.
    catch (const std::exception& exception)
    {
        const std::string text = std::string("Unexpected error: ") + exception.what();
        cLog::Get().WriteDefault(text + "\n");
        core.ShowMessage(application->GetName() + " - Error", text);
    }
    catch (...)
    {
        const std::string text = "Unexpected error of unknown kind.";
        cLog::Get().WriteDefault(text + "\n");
        core.ShowMessage(application->GetName() + " - Error", text);
    }
    cCore::Destroy();
    return exitCode;
}

} // namespace Korva
