// Fuzz input as Windows text: the bytes read as little-endian UTF-16 code units, the way the
// system hands the tool its command line and the record's values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tvfuzz {

inline std::wstring Utf16Units(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  text.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }
  return text;
}

// Fails the run with a message libFuzzer keeps alongside the input.
#define FUZZ_CHECK(condition)                                \
  do {                                                       \
    if (!(condition)) {                                      \
      __builtin_printf("property broken: %s\n", #condition); \
      __builtin_trap();                                      \
    }                                                        \
  } while (false)

}  // namespace tvfuzz
