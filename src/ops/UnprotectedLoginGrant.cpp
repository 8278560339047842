#include "ops/UnprotectedLoginGrant.h"

#include "ops/ConnectionPrompts.h"
#include "store/SiteStore.h"

namespace {

UnprotectedLogin StoredAnswer(const RegKeyRef& slot)
{
    return slot.path.empty() ? UnprotectedLogin::Ask : ReadUnprotectedLogin(slot);
}

}  // namespace

bool GrantUnprotectedLogin(UserPrompt& prompt)
{
    RegKeyRef slot = CurrentSiteSlot();
    UnprotectedLogin stored = StoredAnswer(slot);
    if (stored != UnprotectedLogin::Ask)
        return stored == UnprotectedLogin::Allow;
    PromptAnswer answer = prompt.Ask(UnprotectedLoginQuestion());
    // A quick connection has no site to remember it with.
    if (answer.checked && !slot.path.empty())
        WriteUnprotectedLogin(slot, answer.accepted ? UnprotectedLogin::Allow : UnprotectedLogin::Refuse);
    return answer.accepted;
}

bool CurrentSiteAllowsUnprotected()
{
    return StoredAnswer(CurrentSiteSlot()) == UnprotectedLogin::Allow;
}
