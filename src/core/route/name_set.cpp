#include "core/route/name_set.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace tarnvel {

namespace {

constexpr std::uint64_t kEmpty = 0;
constexpr std::uint64_t kErased = ~std::uint64_t{0};
// A name's place is its block's number and its offset in the block, 20
// bits each: a terabyte of names.
constexpr int kOffsetBits = 20;
constexpr int kPlaceBits = 2 * kOffsetBits;
constexpr std::size_t kBlock = std::size_t{1} << kOffsetBits;
constexpr std::uint64_t kPlaceMask = (std::uint64_t{1} << kPlaceBits) - 1;

std::uint64_t HashOf(std::string_view name) {
  return std::hash<std::string_view>{}(name);
}

std::uint64_t TagOf(std::uint64_t hash) {
  return hash >> kPlaceBits << kPlaceBits;
}

std::size_t LengthBytes(std::size_t length) {
  std::size_t bytes = 1;
  for (; length >= 0x80; length >>= 7) ++bytes;
  return bytes;
}

// Room for `names` at most 0.7 of the slots, and half of them after a
// rebuild, so that a search seldom passes more than a few.
std::size_t CapacityFor(std::size_t names) {
  return std::max<std::size_t>(16, std::bit_ceil(2 * names));
}

}  // namespace

std::string_view NameSet::NameIn(const Blocks& blocks, std::uint64_t slot) {
  const std::uint64_t place = (slot & kPlaceMask) - 1;
  const char* at = blocks[place >> kOffsetBits].get() + (place & (kBlock - 1));
  std::size_t length = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*at++);
    length |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if (byte < 0x80) break;
  }
  return {at, length};
}

std::size_t NameSet::Find(std::string_view name, std::uint64_t hash, bool& found) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t tag = TagOf(hash);
  std::size_t free = slots_.size();
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint64_t slot = slots_[i];
    if (slot == kEmpty) {
      found = false;
      return free < slots_.size() ? free : i;
    }
    if (slot == kErased) {
      free = std::min(free, i);
    } else if (TagOf(slot) == tag && NameIn(blocks_, slot) == name) {
      found = true;
      return i;
    }
  }
}

std::uint64_t NameSet::Keep(std::string_view name, std::uint64_t hash) {
  const std::size_t bytes = LengthBytes(name.size()) + name.size();
  if (blocks_.empty() || blockUsed_ + bytes > blockSize_) {
    // A name longer than a block has one of its own, at its start.
    blockSize_ = std::max(kBlock, bytes);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize_));
    blockUsed_ = 0;
  }
  char* at = blocks_.back().get() + blockUsed_;
  for (std::size_t length = name.size();; length >>= 7) {
    *at++ = static_cast<char>(length < 0x80 ? length : (length & 0x7F) | 0x80);
    if (length < 0x80) break;
  }
  std::copy(name.begin(), name.end(), at);
  const std::uint64_t place = (std::uint64_t{blocks_.size() - 1} << kOffsetBits) | blockUsed_;
  blockUsed_ += bytes;
  return TagOf(hash) | (place + 1);
}

void NameSet::Rebuild(std::size_t capacity, bool compact) {
  std::vector<std::uint64_t> slots(capacity, kEmpty);
  Blocks old;
  if (compact) {
    old.swap(blocks_);
    blockUsed_ = blockSize_ = 0;
  }
  const Blocks& from = compact ? old : blocks_;
  const std::size_t mask = capacity - 1;
  for (std::uint64_t slot : slots_) {
    if (slot == kEmpty || slot == kErased) continue;
    const std::string_view name = NameIn(from, slot);
    const std::uint64_t hash = HashOf(name);
    if (compact) slot = Keep(name, hash);
    std::size_t i = hash & mask;
    while (slots[i] != kEmpty) i = (i + 1) & mask;
    slots[i] = slot;
  }
  slots_.swap(slots);
  erased_ = 0;
  if (compact) erasedBytes_ = 0;
}

bool NameSet::Insert(std::string_view name) {
  if (slots_.empty()) Rebuild(CapacityFor(1), false);
  const std::uint64_t hash = HashOf(name);
  bool found = false;
  std::size_t i = Find(name, hash, found);
  if (found) return false;
  if (slots_[i] == kEmpty && 10 * (live_ + erased_ + 1) > 7 * slots_.size()) {
    Rebuild(CapacityFor(live_ + 1), erasedBytes_ > liveBytes_);
    i = Find(name, hash, found);
  }
  if (slots_[i] == kErased) --erased_;
  slots_[i] = Keep(name, hash);
  ++live_;
  liveBytes_ += LengthBytes(name.size()) + name.size();
  return true;
}

void NameSet::Erase(std::string_view name) {
  if (slots_.empty()) return;
  bool found = false;
  const std::size_t i = Find(name, HashOf(name), found);
  if (!found) return;
  slots_[i] = kErased;
  --live_;
  ++erased_;
  const std::size_t bytes = LengthBytes(name.size()) + name.size();
  liveBytes_ -= bytes;
  erasedBytes_ += bytes;
  // The bytes of names taken out are dropped once they outgrow the rest: a
  // range's names come and go a million times over.
  if (erasedBytes_ > liveBytes_ + kBlock) Rebuild(CapacityFor(live_ + 1), true);
}

}  // namespace tarnvel
