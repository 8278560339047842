#include "ops/SyncReport.h"

namespace {

const wchar_t* ActionWord(SyncAction action)
{
    switch (action) {
    case SyncAction::Upload:
        return L"Upload";
    case SyncAction::Download:
        return L"Download";
    case SyncAction::Descend:
        return L"Compare inside";
    default:
        return L"Skip";
    }
}

std::wstring Facts(const SyncEntry& entry)
{
    if (entry.isFolder)
        return L"(folder, " + FormatSyncTime(entry.modified) + L")";
    return L"(" + FormatSyncTime(entry.modified) + L", " + std::to_wstring(entry.size) + L" bytes)";
}

std::wstring Reason(const SyncDecision& d)
{
    switch (d.reason) {
    case SyncReason::SameTime:
        return L"the same time here " + Facts(*d.local) + L" and on the server " + Facts(*d.remote);
    case SyncReason::LocalNewer:
        return L"newer here " + Facts(*d.local) + L" than on the server " + Facts(*d.remote);
    case SyncReason::RemoteNewer:
        return L"newer on the server " + Facts(*d.remote) + L" than here " + Facts(*d.local);
    case SyncReason::OnlyLocal:
        return L"not on the server";
    case SyncReason::OnlyRemote:
        return L"not here";
    case SyncReason::FolderOnBoth:
        return L"a folder here and on the server";
    case SyncReason::NoTime:
        return L"no time to compare here " + Facts(*d.local) + L" and on the server " + Facts(*d.remote);
    case SyncReason::KindsDiffer:
        return d.local->isFolder ? L"a folder here, a file on the server" : L"a file here, a folder on the server";
    case SyncReason::NamesClash:
        return L"names that differ only in case (or in \" \" and \"_\") cannot be told apart";
    case SyncReason::NameRefused:
        return d.refusal;
    }
    return {};
}

}  // namespace

std::wstring SyncDecisionLine(const SyncDecision& decision)
{
    const std::wstring& name = decision.remote ? decision.remote->name : decision.local->name;
    return std::wstring(ActionWord(decision.action)) + L" " + name + L": " + Reason(decision);
}
