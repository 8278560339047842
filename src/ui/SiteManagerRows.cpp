#include "ui/SiteManagerRows.h"

#include <map>

#include "net/TextCodec.h"

SiteManagerList BuildSiteRows(const std::vector<SiteSlotFacts>& slots, const CurrentSiteFacts& current)
{
    SiteManagerList list;
    std::map<std::wstring, size_t> firstRowOfLabel;
    for (const SiteSlotFacts& slot : slots) {
        SiteManagerRow row;
        size_t position = list.rows.size();
        auto [first, isFirst] = firstRowOfLabel.emplace(slot.label, position);
        row.labelRow = first->second;
        row.siteLabel = slot.label;
        if (isFirst) {
            row.label = slot.label;
            row.image = SiteRowImage::Site;
        }
        row.server = slot.server;
        row.user = slot.user;
        row.directory = slot.useRecentRemote ? L"" : (slot.directory.empty() ? L"/" : slot.directory);
        bool isCurrent = current.connected && EqualsIgnoreAsciiCase(slot.label, current.label) &&
                         EqualsIgnoreAsciiCase(slot.server, current.server) &&
                         EqualsIgnoreAsciiCase(slot.user, current.user);
        if (isCurrent && !list.connectedRow) {
            list.connectedRow = position;
            row.image = SiteRowImage::Connected;
        }
        row.status = isCurrent ? L"Connected" : L"Disconnected";
        list.rows.push_back(row);
    }
    return list;
}

SiteManagerButtons DecideSiteManagerButtons(std::optional<size_t> selected, std::optional<size_t> connectedRow)
{
    SiteManagerButtons buttons;
    bool isConnected = selected && connectedRow && *selected == *connectedRow;
    buttons.properties = buttons.connect = selected.has_value();
    buttons.remove = selected && !isConnected;
    buttons.disconnect = isConnected;
    buttons.reconnectText = isConnected;
    return buttons;
}

std::optional<size_t> RowAfterRefill(std::optional<size_t> oldFocus, size_t rowCount)
{
    if (rowCount == 0)
        return std::nullopt;
    if (!oldFocus)
        return size_t{0};
    return *oldFocus < rowCount ? *oldFocus : rowCount - 1;
}
