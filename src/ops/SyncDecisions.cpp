#include "ops/SyncDecisions.h"

#include <map>
#include <string_view>

#include "net/TextCodec.h"
#include "ops/LocalNames.h"

namespace {

bool IsDotName(std::wstring_view name)
{
    return name == L"." || name == L".." || name == L"./" || name == L"../";
}

// How often a pairing key occurs on each side, and the local entry that has it.
struct KeyUse {
    size_t localCount = 0;
    size_t remoteCount = 0;
    size_t localIndex = 0;
    bool Clashes() const { return localCount > 1 || remoteCount > 1; }
};

SyncDecision Make(SyncAction action, SyncReason reason, const SyncEntry* local, const SyncEntry* remote)
{
    SyncDecision decision;
    decision.action = action;
    decision.reason = reason;
    if (local)
        decision.local = *local;
    if (remote)
        decision.remote = *remote;
    return decision;
}

SyncDecision DecidePair(const SyncEntry& local, const SyncEntry& remote)
{
    if (local.isFolder != remote.isFolder)
        return Make(SyncAction::Skip, SyncReason::KindsDiffer, &local, &remote);
    if (local.isFolder)
        return Make(SyncAction::Descend, SyncReason::FolderOnBoth, &local, &remote);
    switch (CompareSyncTimes(local.modified, remote.modified)) {
    case TimeOrder::Same:
        return Make(SyncAction::Skip, SyncReason::SameTime, &local, &remote);
    case TimeOrder::LocalNewer:
        return Make(SyncAction::Upload, SyncReason::LocalNewer, &local, &remote);
    case TimeOrder::RemoteNewer:
        return Make(SyncAction::Download, SyncReason::RemoteNewer, &local, &remote);
    default:
        return Make(SyncAction::Skip, SyncReason::NoTime, &local, &remote);
    }
}

}  // namespace

std::vector<SyncDecision> DecideSync(const std::vector<SyncEntry>& local, const std::vector<SyncEntry>& remote,
                                     const RemoteNameRules& rules)
{
    std::vector<std::wstring> localKeys, remoteKeys;
    std::vector<std::wstring_view> refusals;
    std::map<std::wstring, KeyUse> uses;
    for (size_t i = 0; i < local.size(); ++i) {
        localKeys.push_back(AsciiLower(ApplyRemoteNameRules(local[i].name, rules)));
        if (IsDotName(local[i].name))
            continue;
        KeyUse& use = uses[localKeys.back()];
        ++use.localCount;
        use.localIndex = i;
    }
    for (const SyncEntry& entry : remote) {
        remoteKeys.push_back(AsciiLower(entry.name));
        refusals.push_back(LocalNameRefusal(entry.name));
        if (!IsDotName(entry.name))
            ++uses[remoteKeys.back()].remoteCount;
    }

    std::vector<SyncDecision> decisions;
    std::vector<bool> paired(local.size(), false);
    for (size_t i = 0; i < remote.size(); ++i) {
        if (IsDotName(remote[i].name))
            continue;
        if (!refusals[i].empty()) {
            decisions.push_back(Make(SyncAction::Skip, SyncReason::NameRefused, nullptr, &remote[i]));
            decisions.back().refusal = refusals[i];
            continue;
        }
        const KeyUse& use = uses[remoteKeys[i]];
        if (use.Clashes()) {
            decisions.push_back(Make(SyncAction::Skip, SyncReason::NamesClash, nullptr, &remote[i]));
        } else if (use.localCount == 1) {
            paired[use.localIndex] = true;
            decisions.push_back(DecidePair(local[use.localIndex], remote[i]));
        } else {
            decisions.push_back(Make(SyncAction::Download, SyncReason::OnlyRemote, nullptr, &remote[i]));
        }
    }
    for (size_t i = 0; i < local.size(); ++i) {
        if (paired[i] || IsDotName(local[i].name))
            continue;
        bool clashes = uses[localKeys[i]].Clashes();
        decisions.push_back(Make(clashes ? SyncAction::Skip : SyncAction::Upload,
                                 clashes ? SyncReason::NamesClash : SyncReason::OnlyLocal, &local[i], nullptr));
    }
    return decisions;
}
