// Control identifiers of the main window, shared with the tests that read it from outside.
#pragma once

namespace tv {

inline constexpr int kForm1Label1Id = 101;
inline constexpr int kForm1Linia1Id = 102;
inline constexpr int kForm1Linia2Id = 103;
inline constexpr int kForm1Linia3Id = 104;
inline constexpr int kForm1Linia4Id = 105;
inline constexpr int kForm1Panel1Id = 110;
inline constexpr int kForm1Button1Id = 111;

}  // namespace tv
