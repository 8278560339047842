#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Unix permissions as SITE chmod takes them: one digit each for the owner, the
// group and the public, each the sum of read 4, write 2 and execute 1.
struct PermissionDigits {
    uint8_t owner = 0;
    uint8_t group = 0;
    uint8_t others = 0;
    bool operator==(const PermissionDigits&) const = default;
};

// The nine check boxes in listing order: owner read, write, execute, then the
// group's three, then the public's three.
using PermissionFlags = std::array<bool, 9>;

PermissionFlags FlagsFromDigits(const PermissionDigits& digits);
PermissionDigits DigitsFromFlags(const PermissionFlags& flags);

// Three octal digits ("755"), or four with a leading zero ("0755"); nothing
// for any other text.
std::optional<PermissionDigits> ParseChmodDigits(std::wstring_view text);

// "755", as the SITE chmod command sends it.
std::wstring ChmodDigitsText(const PermissionDigits& digits);

// The permission text of a listing: the Unix column ("drwxr-xr-x": a type
// letter and three triples; anything after the tenth character is ignored),
// the triples alone ("rwxr-xr-x"), or an octal mode of 3 to 9 digits, whose
// last three digits count ("0755", "100644", "4755"). In a triple the places
// hold "r", "w" and "x" or "-"; "s" and "t" in the execute place include
// execute, "S", "T" and "l" do not. Nothing for any other text.
std::optional<PermissionDigits> DigitsFromPermissionText(std::wstring_view text);

// The listed text after a successful SITE chmod: a Unix column keeps its type
// letter and gets the triples of the new digits, bare triples stay triples,
// anything else becomes "0" and the three digits ("0755").
std::wstring PermissionTextAfterChmod(std::wstring_view listed, const PermissionDigits& digits);

// A download goes ahead unless the listed permissions say that nobody may
// read the file (no digit holds read). Text that cannot be read as
// permissions lets the server decide.
bool PermissionsAllowReading(std::wstring_view listed);
