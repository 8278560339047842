#include "ops/RemoteNameRulesStore.h"

#include "store/Registry.h"

RemoteNameRules ReadRemoteNameRules()
{
    RemoteNameRules rules;
    rules.noSpaces = ReadBool(SettingsKey(), L"FtpNoSpaces", false);
    rules.lowerCase = ReadBool(SettingsKey(), L"FtpLowerCase", false);
    return rules;
}
