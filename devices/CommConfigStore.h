#pragma once

#include "base/Values.h"

#include <optional>

// Named binary values in a settings file of INI form: `key` is the section,
// `name` the value. Other sections and values of the file are kept. A
// value reads back byte for byte as it was stored.
bool StoreSettingsValue(const AnsiString& file, const AnsiString& key, const AnsiString& name, const AnsiString& bytes);
// Nothing when the file, the section or the value is missing or unreadable.
std::optional<AnsiString> LoadSettingsValue(const AnsiString& file, const AnsiString& key, const AnsiString& name);
