#pragma once
#include <vector>

#include "ops/RemoteRow.h"

// The columns of the remote list, in their order on screen; the number of a
// column is what LVRemoteFileSorter stores.
enum class RemoteColumn { Name, Size, Type, Date, Permissions, Owner, Group };
constexpr int kRemoteColumnCount = 7;

struct RemoteSortOrder {
    RemoteColumn column = RemoteColumn::Name;
    bool ascending = true;
};

// The stored column number; anything outside the columns reads as Name.
RemoteColumn RemoteColumnFromSetting(int stored);
int RemoteColumnSetting(RemoteColumn column);

// A click on the sort column's header flips the direction; a click on another
// column sorts by it in the same direction.
RemoteSortOrder AfterHeaderClick(RemoteSortOrder current, RemoteColumn clicked);

// Folders first in either direction, then by the column; rows that compare
// equal keep their order.
void SortRemoteRows(std::vector<RemoteRow>& rows, RemoteSortOrder order);
