// Control identifiers of the message dialog, shared with the tests that read it from outside.
#pragma once

namespace tv {

inline constexpr int kEroriLabel1Id = 201;
inline constexpr int kEroriEroTextId = 202;
inline constexpr int kEroriBE1Id = 211;
inline constexpr int kEroriBE2Id = 212;
inline constexpr int kEroriBE3Id = 213;
inline constexpr int kEroriBE4Id = 214;

}  // namespace tv
