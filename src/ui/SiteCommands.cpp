#include "ui/SiteCommands.h"

#include "ops/ConnectionManager.h"
#include "store/SiteStore.h"
#include "ui/QuickConnectDialog.h"
#include "ui/SiteManagerDialog.h"
#include "ui/SitePropertiesSheet.h"

void RunSiteManager(HWND owner, ConnectionManager& manager)
{
    SiteManagerHost host{[&] { return manager.Connected(); }, [&] { manager.DisconnectCommand(); }};
    std::optional<SiteManagerChoice> choice = ShowSiteManager(owner, host);
    if (choice)
        manager.ConnectSiteFromMenu(choice->row);
    manager.RefreshStatus();
}

void RunNewSite(HWND owner, ConnectionManager& manager)
{
    std::optional<std::wstring> label = EditSite(owner);
    if (!label)
        return;
    std::vector<SiteSlot> sites = EnumerateSites();
    for (size_t index = 0; index < sites.size(); ++index) {
        if (sites[index].label == *label) {
            manager.ConnectSiteFromMenu(index);
            break;
        }
    }
    manager.RefreshStatus();
}

void RunQuickConnect(HWND owner, ConnectionManager& manager)
{
    if (std::optional<QuickConnection> quick = AskQuickConnection(owner))
        manager.QuickConnect(*quick);
    manager.RefreshStatus();
}
