#include "ops/RemoteRow.h"

namespace {
constexpr size_t kMaxNameLength = 259;
}

std::wstring RemoteRowName(std::wstring_view listed)
{
    std::wstring name(listed.substr(0, kMaxNameLength));
    if (name.size() > 1 && name.back() == L'/')
        name.pop_back();
    return name;
}
