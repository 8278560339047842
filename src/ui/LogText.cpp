#include "ui/LogText.h"

#include <cstdio>


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
