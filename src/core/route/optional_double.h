// A double or nothing in a double's 8 bytes, for a value that each of a
// million rows may lack (a stakeout row's design elevation), where
// std::optional<double> takes 16. Nothing is a signalling NaN of its own
// pattern, which no arithmetic makes, so every double, NaN included, is
// held as it is. Read and written as the std::optional<double> it replaces.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>

namespace tarnvel {

class OptionalDouble {
 public:
  constexpr OptionalDouble() noexcept = default;
  constexpr OptionalDouble(std::nullopt_t) noexcept {}
  constexpr OptionalDouble(double value) noexcept : bits_(std::bit_cast<std::uint64_t>(value)) {}
  constexpr OptionalDouble(std::optional<double> value) noexcept
      : bits_(value ? std::bit_cast<std::uint64_t>(*value) : kNothing) {}

  constexpr bool has_value() const noexcept { return bits_ != kNothing; }
  constexpr explicit operator bool() const noexcept { return has_value(); }
  // As std::optional's: only when there is a value.
  constexpr double operator*() const noexcept { return std::bit_cast<double>(bits_); }
  constexpr double value_or(double otherwise) const noexcept {
    return has_value() ? **this : otherwise;
  }
  constexpr operator std::optional<double>() const noexcept {
    return has_value() ? std::optional<double>(**this) : std::nullopt;
  }

 private:
  // Exponent all ones, quiet bit clear, a payload of its own.
  static constexpr std::uint64_t kNothing = 0x7ff4'0000'0a1e'0001;
  std::uint64_t bits_ = kNothing;
};

}  // namespace tarnvel
