#include "ftp/FeatureFlags.h"

std::wstring FeatureNames(uint32_t features)
{
    static const struct {
        FeatureFlag flag;
        const wchar_t* name;
    } kNames[] = {
        {FeatQueried, L"FeatQueried"}, {HasSize, L"HasSize"},         {HasMdtm, L"HasMdtm"},
        {MlstFailed, L"MlstFailed"},   {MlstModify, L"MlstModify"},   {MlstSize, L"MlstSize"},
        {MlstType, L"MlstType"},       {MlsdFailed, L"MlsdFailed"},   {HasMlsd, L"HasMlsd"},
        {SystQueried, L"SystQueried"}, {SystWindows, L"SystWindows"}, {HasMfmt, L"HasMfmt"},
        {HasUtf8, L"HasUtf8"},         {SystUnix, L"SystUnix"},
        {HasRestStream, L"HasRestStream"}, {DataProtected, L"DataProtected"},
    };
    std::wstring names;
    for (const auto& entry : kNames) {
        if ((features & entry.flag) == 0)
            continue;
        if (!names.empty())
            names += L' ';
        names += entry.name;
    }
    return names;
}
