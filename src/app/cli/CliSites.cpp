// tarnwick-cli sites / site-add / site-rm: the saved sites in the registry.
#include <windows.h>

#include "app/cli/CliCommands.h"
#include "app/cli/CliConsole.h"
#include "store/SiteSave.h"
#include "store/SiteStore.h"

namespace {

// Splits "--name value" options off the arguments; the rest stay in order.
bool TakeOption(CliArguments& args, const std::wstring& name, std::wstring& value)
{
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] != name)
            continue;
        value = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return false;
}

bool ParseSecurity(const std::wstring& text, SecurityChoice& security)
{
    if (text == L"plain")
        security = SecurityChoice::Plain;
    else if (text == L"explicit")
        security = SecurityChoice::Explicit;
    else if (text == L"implicit")
        security = SecurityChoice::Implicit;
    else
        return false;
    return true;
}

bool FolderExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int RunSitesCommand(const CliArguments& args)
{
    if (!args.empty()) {
        PrintError(L"usage: tarnwick-cli sites");
        return 2;
    }
    for (const SiteSlot& site : EnumerateSites()) {
        std::wstring directory = ReadString(site.slot, L"Directory", L"/");
        PrintLine(site.label + L"\t" + site.server + L"\t" + SiteUserDisplay(site.slot) + L"\t" + directory);
    }
    return 0;
}

int RunSiteAddCommand(const CliArguments& arguments)
{
    CliArguments args = arguments;
    std::wstring securityText = L"plain", remote, local;
    TakeOption(args, L"--security", securityText);
    bool fixedRemote = TakeOption(args, L"--remote", remote);
    bool fixedLocal = TakeOption(args, L"--local", local);
    SiteDialogValues values;
    if (args.size() < 2 || args.size() > 4 || !ParseSecurity(securityText, values.security)) {
        PrintError(L"usage: tarnwick-cli site-add LABEL SERVER[:PORT] [USER [PASSWORD]]"
                   L" [--security plain|explicit|implicit] [--remote FOLDER] [--local FOLDER]");
        return 2;
    }
    const std::wstring& label = args[0];
    if (CheckSiteLabel(label, L"") != SiteLabelProblem::None) {
        PrintError(L"the label \"" + label + L"\" contains a slash or names another site");
        return 1;
    }
    if (fixedLocal && !FolderExists(local)) {
        PrintError(L"the local folder \"" + local + L"\" does not exist");
        return 1;
    }
    // The server field keeps a port typed after the host apart, as the dialog does.
    values.server = args[1];
    size_t colon = values.server.rfind(L':');
    if (colon != std::wstring::npos && values.server.find(L"//") == std::wstring::npos) {
        values.port = values.server.substr(colon + 1);
        values.server.resize(colon);
    }
    values.user = args.size() > 2 ? args[2] : L"";
    values.password = args.size() > 3 ? args[3] : L"";
    values.rememberPassword = !values.password.empty();
    values.advanced = SiteFolderChoices{label, !fixedRemote, fixedRemote ? remote : L"/", !fixedLocal,
                                        fixedLocal ? local : L"C:\\"};
    std::wstring stored = SaveSite(values, L"");
    if (stored.empty()) {
        PrintError(L"\"" + args[1] + L"\" is not a usable server address");
        return 1;
    }
    PrintLine(L"Saved site \"" + stored + L"\".");
    return 0;
}

int RunSiteRemoveCommand(const CliArguments& args)
{
    if (args.empty() || args.size() > 3) {
        PrintError(L"usage: tarnwick-cli site-rm LABEL [SERVER [USER]]");
        return 2;
    }
    int removed = 0;
    for (const SiteSlot& site : EnumerateSites()) {
        std::wstring user = SiteUserDisplay(site.slot);
        if (!SameKeyName(site.label, args[0]) || (args.size() > 1 && !SameKeyName(site.server, args[1])) ||
            (args.size() > 2 && user != args[2]))
            continue;
        DeleteSite(site.label, site.server, user);
        ++removed;
    }
    if (removed == 0) {
        PrintError(L"no saved site matches");
        return 1;
    }
    PrintLine(L"Removed " + std::to_wstring(removed) + L" account(s).");
    return 0;
}
