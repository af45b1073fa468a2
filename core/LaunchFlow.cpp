#include "core/LaunchFlow.h"

#include "core/Messages.h"

namespace {

constexpr int kDialogOk = 1;

}  // namespace

bool DialogShows(const LaunchSettings& settings)
{
    return settings.silent == 0;
}

void LaunchAfterLoad(LaunchSettings& settings, LaunchSteps& steps)
{
    if (DialogShows(settings) && steps.RunDialog() != kDialogOk)
        return;
    // The path goes to the shell as written, even when empty: the shell is
    // the judge of what can be started.
    if (steps.Open(settings.targetPath))
        return;
    if (LaunchFailedMessage(settings.targetPath, settings.messageText))
        steps.ShowMessage(settings.messageText.GetString());
    else
        steps.ShowMessage(kOutOfMemoryMessage);
}
