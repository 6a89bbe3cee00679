// Resources of the running program's own executable.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tv {

// A resource's bytes, readable in place for as long as the module is loaded. Not owned: a
// loaded resource needs no release.
struct ResourceBytes {
  const void* data = nullptr;
  DWORD size = 0;
};

// Looks a resource up in the program's own module by type name and resource name, matched
// without regard to case; no language is asked, so the one stored is taken whatever the
// user's language. nullopt when it is missing or cannot be loaded.
std::optional<ResourceBytes> FindOwnResource(const std::wstring& typeName,
                                             const std::wstring& resourceName);

// Writes the resource, byte for byte, to `fileName` (see WriteFileFromMemory). False when the
// resource is missing (nothing is created then) or the file cannot be written.
bool ExtractResourceToFile(const std::wstring& typeName, const std::wstring& resourceName,
                           const std::wstring& fileName);

}  // namespace tv
