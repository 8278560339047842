#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ftp/ListingParser.h"
#include "ftp/RemoteEntry.h"

// MLSD and MLST lines: "fact=value;fact=value; name". Facts are read from the
// part before the first space (after leading spaces, which MLST lines have),
// so a name that looks like a fact is never read as one.

// The lower-cased value of the first fact of this name (lower-case, without
// '='); a namespaced fact counts too ("mode" finds "UNIX.mode=0644").
std::optional<std::string> FactValue(std::string_view line, std::string_view fact);

// The kind a "type=" value names: "file", a link ("os.unix=slink..."), or a
// folder (dir, cdir, pdir and anything else).
RemoteKind KindOfTypeFact(std::string_view value);

// The name of an MLSD line: the text after its first space, further spaces
// skipped; the whole line when it has no space.
std::string_view MlsdLineName(std::string_view line);

// A time fact ("modify=") or an MDTM reply, which are UTC.
std::optional<int64_t> FactTimeToSeconds(std::string_view text);

// A decimal size; nothing unless the text starts with a digit.
std::optional<uint64_t> ParseSize(std::string_view text);

// One MLSD line as an entry. Owner and group are known to be empty. The
// current and parent folder entries (type cdir and pdir) are named "." and "..".
RemoteEntry MlsdLineToEntry(std::string_view line);

// One LIST line as an entry; false for lines no listing parser accepts (such
// as "total 42").
bool ListLineToEntry(std::string_view line, const ListingClock& today, RemoteEntry& entry);
