#pragma once
#include <optional>
#include <string>
#include <vector>

// The rows of the Site Manager's list and the states of its buttons.

// One saved slot as the store enumerates it.
struct SiteSlotFacts {
    std::wstring label;
    std::wstring server;
    std::wstring user;  // as shown: "domain\user" when the slot has a Domain
    std::wstring directory;  // the slot's Directory ("/" when absent)
    bool useRecentRemote = true;
};

// The current site's names, and whether the main window is connected to it.
struct CurrentSiteFacts {
    std::wstring label;
    std::wstring server;
    std::wstring user;
    bool connected = false;
};

enum class SiteRowImage { None = -1, Site = 0, Connected = 1 };

struct SiteManagerRow {
    std::wstring label;  // empty on further rows of a label
    std::wstring server;
    std::wstring user;
    std::wstring directory;
    std::wstring status;  // "Connected" or "Disconnected"
    SiteRowImage image = SiteRowImage::None;
    size_t labelRow = 0;  // the row that shows this row's label
    std::wstring siteLabel;  // the label the row belongs to
};

struct SiteManagerList {
    std::vector<SiteManagerRow> rows;
    std::optional<size_t> connectedRow;
};

SiteManagerList BuildSiteRows(const std::vector<SiteSlotFacts>& slots, const CurrentSiteFacts& current);

struct SiteManagerButtons {
    bool properties = false;
    bool connect = false;  // OK
    bool remove = false;
    bool disconnect = false;
    bool reconnectText = false;  // OK reads "Reconnect" rather than "Connect"
};
SiteManagerButtons DecideSiteManagerButtons(std::optional<size_t> selected, std::optional<size_t> connectedRow);

// The row to select after the list was refilled with rowCount rows: the old
// focus position, or the last row when the list got shorter.
std::optional<size_t> RowAfterRefill(std::optional<size_t> oldFocus, size_t rowCount);
