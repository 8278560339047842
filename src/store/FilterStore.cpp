#include "store/FilterStore.h"

#include <algorithm>
#include <string>
#include <vector>

#include "store/Registry.h"

namespace {

RegKeyRef FilterListKey(PaneSide side)
{
    return ProductKey(side == PaneSide::Local ? L"Settings\\FileFilters\\LocalFilters"
                                              : L"Settings\\FileFilters\\RemoteFilters");
}

PaneFilter LoadFilterList(PaneSide side)
{
    RegKeyRef key = FilterListKey(side);
    // No more than six were ever written; a larger Count is damage, and a
    // huge one must not stall the start-up.
    int count = std::clamp(ReadInt(key, L"Count", 0), 0, static_cast<int>(kMaxStoredFilters));
    std::vector<std::wstring> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(ReadString(key, std::to_wstring(i)));
    return MakePaneFilter(texts);
}

void SaveFilterList(PaneSide side, const PaneFilter& filter)
{
    RegKeyRef key = FilterListKey(side);
    std::vector<std::wstring> texts = FilterTextsToStore(filter);
    for (size_t i = 0; i < texts.size(); ++i)
        WriteString(key, std::to_wstring(i), texts[i]);
    WriteInt(key, L"Count", static_cast<int>(texts.size()));
}

}  // namespace

PaneFilters LoadFilterLists()
{
    return {LoadFilterList(PaneSide::Local), LoadFilterList(PaneSide::Remote)};
}

void SaveFilterLists(const PaneFilters& filters)
{
    SaveFilterList(PaneSide::Local, filters.local);
    SaveFilterList(PaneSide::Remote, filters.remote);
}

bool FilterWarning(PaneSide from, std::wstring_view filterBoxText, bool selectionHasFolder, UserPrompt& prompt)
{
    RegKeyRef settings = SettingsKey();
    if (!NeedsFilterWarning(filterBoxText, ReadBool(settings, L"FilterWarningOff", false), selectionHasFolder))
        return true;
    PromptQuestion question{std::wstring(kFilterWarningCaption), std::wstring(FilterWarningText(from)),
                            std::wstring(kFilterWarningContinue), std::wstring(kFilterWarningDontAsk)};
    PromptAnswer answer = prompt.Ask(question);
    WriteBool(settings, L"FilterWarningOff", answer.checked);
    return answer.accepted;
}
