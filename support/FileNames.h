#pragma once

#include "base/Values.h"

#include <ctime>
#include <optional>
#include <vector>

// How the names that programs written for Windows give meet a Linux file
// system. "\" separates folders like "/"; a name that starts with a drive
// ("C:") names nothing here; each component of a name finds the entry of
// exactly that name, else the one entry that differs from it only in ASCII
// case, else stays as given (so a new file gets the name as written).
namespace FileNames {

// True for a name that starts with a letter and a colon.
bool StartsWithDrive(const AnsiString& name);

// The name with "\" turned into "/" and each existing component found as
// above; nothing for a name with a drive or an empty name.
std::optional<AnsiString> Resolve(const AnsiString& name);

// Test seam for the fuzz harnesses: while a root is set, Resolve gives nothing
// for a name that lies outside that folder, so that no run can touch files
// elsewhere. Empty (the default) confines nothing.
void ConfineTo(const AnsiString& root);

// The path texts, split at the last "/" or "\"; the separators given are kept.
AnsiString FolderOf(const AnsiString& name); // without the final separator (a root keeps it)
AnsiString PathOf(const AnsiString& name); // with the final separator
AnsiString NameOf(const AnsiString& name); // name and extension
AnsiString ExtensionOf(const AnsiString& name); // with its dot, empty when none
AnsiString DriveOf(const AnsiString& name); // "X:" or empty
AnsiString ChangeExtension(const AnsiString& name, const AnsiString& extension);

// Windows wildcard masks, without letter case: "?" one character, "*" any
// run, ";" separates masks, "*.*" matches names with or without a dot, and a
// mask ending in "." matches only names without a dot.
bool MatchesMasks(const AnsiString& name, const AnsiString& masks);

enum class EntryKind { Files, Folders };
// The names of the current folder's files or folders (no dot-entries, no
// "." or ".."), those matching masks, sorted without letter case.
std::vector<AnsiString> ListCurrentFolder(EntryKind kind, const AnsiString& masks = "*");

// A file time as a local date-time value: days since 30 December 1899, the
// time of day (with milliseconds) as the fraction.
double ToDateTime(const timespec& when);

// The current folder, empty when it cannot be told.
AnsiString CurrentFolder();
// name made absolute against the current folder ("/" separators).
AnsiString Absolute(const AnsiString& name);

} // namespace FileNames
