#pragma once
#include <string>
#include <vector>

#include "ops/RemoteRow.h"

// The remote pane as the connection manager fills and reads it.
class RemotePane {
public:
    virtual ~RemotePane() = default;
    // Replaces the list; the pane sorts it by its sort column.
    virtual void ShowRows(std::vector<RemoteRow> rows) = 0;
    // Empties the list, the path box and the selection (disconnected).
    virtual void Clear() = 0;
    // The folder typed or shown in the path box; empty while not connected.
    virtual std::wstring PathText() = 0;
    // Shows the folder at the history position in the path box, or that
    // nothing is connected.
    virtual void RefreshPathBox() = 0;
    // The active filter, lower-cased; empty when nothing is filtered.
    virtual std::wstring FilterText() = 0;
    // The remote folder history changed; position is its new position.
    virtual void HistoryChanged(size_t position) = 0;
};
