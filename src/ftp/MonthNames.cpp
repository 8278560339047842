#include "ftp/MonthNames.h"

#include "net/TextCodec.h"

namespace {

struct MonthKey {
    std::string_view key;
    int month;
};

// Searched in this order, first match wins. Non-ASCII keys are code-page
// bytes; a hex escape is closed with "" "" where a hex letter follows it.
constexpr MonthKey kMonthKeys[] = {
    // English
    {"jan", 1}, {"feb", 2}, {"mar", 3}, {"apr", 4}, {"may", 5}, {"jun", 6}, {"june", 6},
    {"jul", 7}, {"july", 7}, {"aug", 8}, {"sep", 9}, {"sept", 9}, {"oct", 10}, {"nov", 11},
    {"dec", 12},
    // Numbers
    {"01", 1}, {"1", 1}, {"02", 2}, {"2", 2}, {"03", 3}, {"3", 3}, {"04", 4}, {"4", 4},
    {"05", 5}, {"5", 5}, {"06", 6}, {"6", 6}, {"07", 7}, {"7", 7}, {"08", 8}, {"8", 8},
    {"09", 9}, {"9", 9}, {"10", 10}, {"11", 11}, {"12", 12},
    // German (Windows-1252)
    {"mrz", 3}, {"m\xE4r", 3}, {"m\xE4rz", 3}, {"mai", 5}, {"juni", 6}, {"juli", 7},
    {"okt", 10}, {"dez", 12}, {"j\xE4n", 1},
    // Francophone (Windows-1252); "dec" repeats the English key
    {"janv", 1}, {"f\xE9" "b", 2}, {"f\xE9v", 2}, {"fev", 2}, {"f\xE9vr", 2}, {"fevr", 2},
    {"mars", 3}, {"mrs", 3}, {"avr", 4}, {"juin", 6}, {"juil", 7}, {"jui", 7},
    {"ao\xFB", 8}, {"ao\xFBt", 8}, {"aout", 8}, {"d\xE9" "c", 12}, {"dec", 12},
    // Italian
    {"gen", 1}, {"mag", 5}, {"giu", 6}, {"lug", 7}, {"ago", 8}, {"set", 9}, {"ott", 10},
    {"dic", 12},
    // Spanish
    {"ene", 1}, {"fbro", 2}, {"mzo", 3}, {"ab", 4}, {"abr", 4}, {"agto", 8}, {"sbre", 9},
    {"obre", 10}, {"nbre", 11}, {"dbre", 12},
    // Polish
    {"sty", 1}, {"lut", 2}, {"kwi", 4}, {"maj", 5}, {"cze", 6}, {"lip", 7}, {"sie", 8},
    {"wrz", 9}, {"pa", 10}, {"lis", 11}, {"gru", 12},
    // Russian (Windows-1251)
    {"\xFF\xED\xE2", 1}, {"\xF4\xE5\xE2", 2}, {"\xEC\xE0\xF0", 3}, {"\xE0\xEF\xF0", 4},
    {"\xEC\xE0\xE9", 5}, {"\xE8\xFE\xED", 6}, {"\xE8\xFE\xEB", 7}, {"\xE0\xE2\xE3", 8},
    {"\xF1\xE5\xED", 9}, {"\xEE\xEA\xF2", 10}, {"\xED\xEE\xFF", 11}, {"\xE4\xE5\xEA", 12},
    // Dutch and Portuguese
    {"mrt", 3}, {"mei", 5}, {"out", 10},
    // Month number with a double-byte suffix: Shift-JIS, C6 D4, EUC-KR
    {"1\x8C\x8E", 1}, {"1\xC6\xD4", 1}, {"1\xBF\xF9", 1},
    {"2\x8C\x8E", 2}, {"2\xC6\xD4", 2}, {"2\xBF\xF9", 2},
    {"3\x8C\x8E", 3}, {"3\xC6\xD4", 3}, {"3\xBF\xF9", 3},
    {"4\x8C\x8E", 4}, {"4\xC6\xD4", 4}, {"4\xBF\xF9", 4},
    {"5\x8C\x8E", 5}, {"5\xC6\xD4", 5}, {"5\xBF\xF9", 5},
    {"6\x8C\x8E", 6}, {"6\xC6\xD4", 6}, {"6\xBF\xF9", 6},
    {"7\x8C\x8E", 7}, {"7\xC6\xD4", 7}, {"7\xBF\xF9", 7},
    {"8\x8C\x8E", 8}, {"8\xC6\xD4", 8}, {"8\xBF\xF9", 8},
    {"9\x8C\x8E", 9}, {"9\xC6\xD4", 9}, {"9\xBF\xF9", 9},
    {"10\x8C\x8E", 10}, {"10\xC6\xD4", 10}, {"10\xBF\xF9", 10},
    {"11\x8C\x8E", 11}, {"11\xC6\xD4", 11}, {"11\xBF\xF9", 11},
    {"12\x8C\x8E", 12}, {"12\xC6\xD4", 12}, {"12\xBF\xF9", 12},
    // Finnish (Windows-1252)
    {"tammi", 1}, {"helmi", 2}, {"maalis", 3}, {"huhti", 4}, {"touko", 5}, {"kes\xE4", 6},
    {"hein\xE4", 7}, {"elo", 8}, {"syys", 9}, {"loka", 10}, {"marras", 11}, {"joulu", 12},
    // Digit-suffixed forms
    {"jan1", 1}, {"feb2", 2}, {"mar3", 3}, {"apr4", 4}, {"may5", 5}, {"jun6", 6},
    {"jul7", 7}, {"aug8", 8}, {"sep9", 9}, {"sept9", 9}, {"oct0", 10}, {"nov1", 11},
    {"dec2", 12},
    // Slovenian and Serbian
    {"avg", 8},
    // The accented and Cyrillic names again in UTF-8, as servers with UTF-8
    // locales list them; without these their files would vanish from listings.
    {"j\xC3\xA4n", 1}, {"m\xC3\xA4r", 3}, {"m\xC3\xA4rz", 3}, {"f\xC3\xA9" "b", 2}, {"f\xC3\xA9v", 2},
    {"f\xC3\xA9vr", 2}, {"ao\xC3\xBB", 8}, {"ao\xC3\xBBt", 8}, {"d\xC3\xA9" "c", 12}, {"kes\xC3\xA4", 6},
    {"hein\xC3\xA4", 7}, {"\xD1\x8F\xD0\xBD\xD0\xB2", 1}, {"\xD1\x84\xD0\xB5\xD0\xB2", 2},
    {"\xD0\xBC\xD0\xB0\xD1\x80", 3}, {"\xD0\xB0\xD0\xBF\xD1\x80", 4}, {"\xD0\xBC\xD0\xB0\xD0\xB9", 5},
    {"\xD0\xB8\xD1\x8E\xD0\xBD", 6}, {"\xD0\xB8\xD1\x8E\xD0\xBB", 7}, {"\xD0\xB0\xD0\xB2\xD0\xB3", 8},
    {"\xD1\x81\xD0\xB5\xD0\xBD", 9}, {"\xD0\xBE\xD0\xBA\xD1\x82", 10}, {"\xD0\xBD\xD0\xBE\xD1\x8F", 11},
    {"\xD0\xB4\xD0\xB5\xD0\xBA", 12},
};

}  // namespace

int MonthFromName(std::string_view text)
{
    // The keys hold no A-Z, so folding both sides equals folding the text.
    for (const MonthKey& entry : kMonthKeys) {
        if (EqualsIgnoreAsciiCase(text, entry.key))
            return entry.month;
    }
    return 0;
}
