// Wine's registry, read and changed from the test process itself: it runs in
// the same prefix as the programs under test.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

bool RegistryKeyExists(HKEY root, const std::string& key);
// A REG_SZ or REG_EXPAND_SZ value's text; nothing when the key or value is missing.
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key, const std::string& value);
bool RegistryValueExists(HKEY root, const std::string& key, const std::string& value);
// True when the value is gone afterwards (also when it never existed).
bool DeleteRegistryValue(HKEY root, const std::string& key, const std::string& value);

}  // namespace e2e
