// What every fuzz target asserts of a text the user would see.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tarnvel::fuzzing {

// A shown text never holds an infinity or a value that is not a number.
inline void RequireFiniteText(std::string_view text) {
  for (std::string_view bad : {"Inf", "inf", "NaN", "nan"}) {
    if (text.find(bad) != std::string_view::npos) {
      std::fprintf(stderr, "non-finite text shown: %.*s\n", static_cast<int>(text.size()),
                   text.data());
      std::abort();
    }
  }
}

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
  }
}

}  // namespace tarnvel::fuzzing
