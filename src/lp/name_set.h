#ifndef PARALOG_LP_NAME_SET_H
#define PARALOG_LP_NAME_SET_H

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace paralog {

/// A set of variable names built for millions of short strings: the bytes
/// live back to back in large blocks and an open-addressing table of views
/// finds them, so an insert costs no heap node and a repeated insert costs
/// one hash and one comparison. Views handed out stay valid for the set's
/// lifetime. Order is not kept while inserting; `sorted` gives byte order.
class NameSet {
 public:
  NameSet();
  NameSet(const NameSet&) = delete;
  NameSet& operator=(const NameSet&) = delete;
  NameSet(NameSet&&) noexcept = default;
  NameSet& operator=(NameSet&&) noexcept = default;

  /// Adds `name` unless present; returns the stored copy either way.
  std::string_view insert(std::string_view name);
  bool contains(std::string_view name) const;
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  /// All names in byte order (unsigned bytes, a prefix first).
  std::vector<std::string_view> sorted() const;

 private:
  struct Slot {
    const char* data = nullptr;
    uint32_t size = 0;
    uint32_t hash = 0;
  };

  std::string_view store(std::string_view name);
  void grow();
  size_t findSlot(std::string_view name, uint32_t hash) const;

  std::vector<Slot> slots_;
  size_t size_ = 0;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t blockUsed_ = 0;
  size_t blockSize_ = 0;
};

}  // namespace paralog

#endif  // PARALOG_LP_NAME_SET_H
