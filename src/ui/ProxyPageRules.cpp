#include "ui/ProxyPageRules.h"

namespace {

bool LogsInToProxy(int type)
{
    return type != 2 && type != 3;  // OPEN and USER user@site go to the proxy without its own log-in
}

}  // namespace

ProxyFieldStates ProxyFieldsForChoice(int type)
{
    if (type == 0)
        return {};
    return {true, LogsInToProxy(type)};
}

ProxyPageStart ProxyPageStartFor(int storedType)
{
    if (storedType == 0)
        return {0, false, {}};
    if (storedType < 0 || storedType >= kProxyTypeCount)
        return {std::nullopt, true, {true, true}};
    return {storedType, true, ProxyFieldsForChoice(storedType)};
}
