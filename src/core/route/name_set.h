// A set of names held as their bytes one after another, for the names a
// table of a million rows has given: a name costs its length and a few
// bytes, where a set of strings spends some sixty bytes on each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tarnvel {

class NameSet {
 public:
  // True when the name was not in the set; it is then.
  bool Insert(std::string_view name);
  // Takes the name out of the set, when it is in.
  void Erase(std::string_view name);
  std::size_t size() const { return live_; }

 private:
  // The slot a name is in, or the first free one its search passes (an
  // erased slot before an empty one); `found` says which.
  std::size_t Find(std::string_view name, std::uint64_t hash, bool& found) const;
  using Blocks = std::vector<std::unique_ptr<char[]>>;
  static std::string_view NameIn(const Blocks& blocks, std::uint64_t slot);
  // A name's bytes, kept after the others: its length, then the bytes.
  std::uint64_t Keep(std::string_view name, std::uint64_t hash);
  // Every name placed anew in `capacity` slots; with `compact`, its bytes
  // too, dropping those of the names erased.
  void Rebuild(std::size_t capacity, bool compact);

  // A slot holds its name's place (plus one, so that no slot is 0), with
  // the top bits of the name's hash above it: most names that differ are
  // told apart without reading their bytes. 0 is an empty slot, all ones an
  // erased one.
  std::vector<std::uint64_t> slots_;
  Blocks blocks_;
  std::size_t blockUsed_ = 0;  // of the last block
  std::size_t blockSize_ = 0;  // of the last block
  std::size_t live_ = 0;
  std::size_t erased_ = 0;       // slots
  std::size_t liveBytes_ = 0;    // of the names in the set
  std::size_t erasedBytes_ = 0;  // of the names taken out
};

}  // namespace tarnvel
