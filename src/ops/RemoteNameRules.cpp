#include "ops/RemoteNameRules.h"

#include <algorithm>

#include "net/TextCodec.h"

std::wstring ApplyRemoteNameRules(std::wstring_view text, const RemoteNameRules& rules)
{
    std::wstring out = rules.lowerCase ? AsciiLower(text) : std::wstring(text);
    if (rules.noSpaces)
        std::replace(out.begin(), out.end(), L' ', L'_');
    return out;
}
