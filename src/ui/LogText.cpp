#include "ui/LogText.h"

#include <cstdio>

#include "net/TextCodec.h"

std::wstring CommandLogText(std::string_view commandLine)
{
    if (commandLine.starts_with("PASS")) {
        // The password itself never reaches the log.
        size_t stars = 0;
        for (size_t i = 5; i < commandLine.size() && commandLine[i] != '\r' && commandLine[i] != '\n'; ++i)
            ++stars;
        return L"Command: PASS " + std::wstring(stars, L'*');
    }
    return TrimControlsAndSpaces(L"Command: " + Utf8ToWide(commandLine));
}

std::wstring ResponseLogText(std::string_view replyLine)
{
    return L"Response:  " + TrimControlsAndSpaces(Utf8ToWide(replyLine));
}

std::wstring LogTimeStamp(int hour, int minute, int second)
{
    wchar_t text[32];
    swprintf(text, 32, L"%.2d:%.2d:%.2d", hour, minute, second);
    return text;
}

std::wstring LogFileName(int year, int month, int day)
{
    wchar_t text[96];
    swprintf(text, 96, L"%.4d-%.2d-%.2d Tarnwick File Transfer Software Log.txt", year, month, day);
    return text;
}
