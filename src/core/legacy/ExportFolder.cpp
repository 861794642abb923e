#include "legacy/ExportFolder.h"

#include "console/ConsoleOpening.h"
#include "console/ConsoleState.h"
#include "forms/FolderChooser.h"
#include "platform/ExportFiles.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "settings/SettingsKeys.h"

namespace corv {

CommandResult chooseNemboFolder(AppContext& ctx, ConsoleState& state)
{
    IniFile settings = ctx.corvSettings();
    const QString last = FolderChooser::lastFolder(settings, keys::kNemboChooserKey);
    FolderChooser chooser(settings, keys::kNemboChooserKey, last.isEmpty() ? state.nemboFolder : last);
    const std::optional<FolderChoice> choice = ctx.ui().chooseFolder(chooser);
    if (!choice)
        return {CommandResult::Outcome::Declined, {}};
    state.nemboFolder = choice->folder;
    const bool saved = settings.write(keys::kNemboFolder, choice->folder);
    state.nemboCompanies = legacy::exportCompanies(state.nemboFolder);
    state.nemboRow = state.nemboCompanies.isEmpty() ? -1 : 0;
    // The lists of the folder left behind mean nothing now.
    state.lists[ConsoleState::NemboTab] = {};
    if (!saved)
        reportUnsavedSettings(ctx, settings);
    return {};
}

} // namespace corv
