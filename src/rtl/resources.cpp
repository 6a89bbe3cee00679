#include "rtl/resources.h"

#include "rtl/files.h"

namespace tv {

std::optional<ResourceBytes> FindOwnResource(const std::wstring& typeName,
                                             const std::wstring& resourceName) {
  const HMODULE module = ::GetModuleHandleW(nullptr);
  const HRSRC found = ::FindResourceW(module, resourceName.c_str(), typeName.c_str());
  if (found == nullptr) {
    return std::nullopt;
  }
  const HGLOBAL loaded = ::LoadResource(module, found);
  if (loaded == nullptr) {
    return std::nullopt;
  }
  const DWORD size = ::SizeofResource(module, found);
  const void* data = ::LockResource(loaded);
  if (data == nullptr && size != 0) {
    return std::nullopt;
  }
  return ResourceBytes{data, size};
}

bool ExtractResourceToFile(const std::wstring& typeName, const std::wstring& resourceName,
                           const std::wstring& fileName) {
  const std::optional<ResourceBytes> payload = FindOwnResource(typeName, resourceName);
  if (!payload) {
    return false;
  }
  return WriteFileFromMemory(fileName, payload->data, payload->size);
}

}  // namespace tv
