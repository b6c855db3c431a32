#ifndef PARALOG_SOLVER_NAMED_VALUES_H
#define PARALOG_SOLVER_NAMED_VALUES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace paralog {

/// Values of a program's variables by name, for checking an assignment
/// while the program is generated. A variable without an entry has the
/// value 0, as in CBC's solution layout, so a caller may leave out the
/// zeros, which keeps the table small enough to stay in cache while the
/// check looks up every term of every row.
///
/// Entries are numbered 0, 1, ... in the order they were set. The object
/// owns copies of the names. Not thread-safe for writing; lookups may run
/// on any number of threads once filling is over.
class NamedValues {
 public:
  /// Adds `name` with `value`. Returns false, changing nothing, when the
  /// name has an entry already.
  bool set(std::string_view name, double value);

  /// The entry number of `name`, or -1 when it has none.
  int64_t find(std::string_view name) const {
    const uint64_t bit = filterBit(name);
    if (((filter_[bit >> 6] >> (bit & 63)) & 1) == 0) return -1;
    return findInTable(name);
  }
  /// The value of `name`: its entry's, else 0.
  double valueOf(std::string_view name) const {
    const int64_t entry = find(name);
    return entry < 0 ? 0.0 : values_[static_cast<size_t>(entry)];
  }

  size_t size() const { return values_.size(); }
  double value(size_t entry) const { return values_[entry]; }
  std::string_view name(size_t entry) const {
    return std::string_view(names_.data() + nameStart_[entry],
                            nameStart_[entry + 1] - nameStart_[entry]);
  }

 private:
  /// One place of the open-addressing table: entry + 1, 0 when empty.
  using Slot = uint32_t;
  void grow();
  size_t home(uint64_t hash) const { return static_cast<size_t>(hash) & (slots_.size() - 1); }
  int64_t findInTable(std::string_view name) const;

  /// The bit of the filter for `name`, from its length and its first and
  /// last eight bytes only: cheap, as the check asks for every term of
  /// every row, and names that differ only in between merely share a bit.
  static uint64_t filterBit(std::string_view name) {
    uint64_t hash = 0x9e3779b97f4a7c15ULL ^ name.size();
    if (name.size() >= 8) {
      uint64_t head;
      uint64_t tail;
      std::memcpy(&head, name.data(), sizeof head);
      std::memcpy(&tail, name.data() + name.size() - 8, sizeof tail);
      hash = (hash ^ head) * 0xff51afd7ed558ccdULL;
      hash = (hash ^ (hash >> 32) ^ tail) * 0xc4ceb9fe1a85ec53ULL;
    } else {
      for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
      hash *= 0xc4ceb9fe1a85ec53ULL;
    }
    return (hash >> 40) & (kFilterBits - 1);
  }
  static constexpr uint64_t kFilterBits = uint64_t{1} << 16;

  std::string names_;                  ///< the names back to back
  std::vector<size_t> nameStart_{0};   ///< entry e is names_[nameStart_[e], nameStart_[e + 1])
  std::vector<double> values_;
  std::vector<uint64_t> hashes_;       ///< per entry
  std::vector<Slot> slots_;            ///< a power of two, at most half full
  /// One bit per filterBit of every entry's hash: a name whose bit is
  /// clear has no entry, found without probing the table, which is how
  /// the many zeros that a sparse assignment leaves out are looked up.
  std::vector<uint64_t> filter_ = std::vector<uint64_t>(kFilterBits / 64, 0);
};

}  // namespace paralog

#endif  // PARALOG_SOLVER_NAMED_VALUES_H
