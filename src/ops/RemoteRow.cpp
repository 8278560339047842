#include "ops/RemoteRow.h"

namespace {
constexpr size_t kMaxNameLength = 259;
}

std::wstring_view RemoteRowNameIn(std::wstring_view listed)
{
    listed = listed.substr(0, kMaxNameLength);
    if (listed.size() > 1 && listed.back() == L'/')
        listed.remove_suffix(1);
    return listed;
}

std::wstring RemoteRowName(std::wstring_view listed)
{
    return std::wstring(RemoteRowNameIn(listed));
}
