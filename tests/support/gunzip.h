#ifndef PARALOG_SUPPORT_GUNZIP_H
#define PARALOG_SUPPORT_GUNZIP_H

// Test helper: decompresses a whole gzip file of one or more members.

#include <gtest/gtest.h>
#include <libdeflate.h>

#include <string>

namespace paralog::testutil {

/// The decompressed bytes of every member of `gzip`, one after the other;
/// fails the current test on bytes that are not gzip. `members`, if given,
/// receives the number of members.
inline std::string gunzip(const std::string& gzip, int* members = nullptr) {
  libdeflate_decompressor* decompressor = libdeflate_alloc_decompressor();
  std::string out;
  std::string buffer(4 << 20, '\0');
  int count = 0;
  for (size_t at = 0; at < gzip.size(); ++count) {
    size_t used = 0, produced = 0;
    const libdeflate_result result = libdeflate_gzip_decompress_ex(
        decompressor, gzip.data() + at, gzip.size() - at, buffer.data(), buffer.size(), &used,
        &produced);
    if (result != LIBDEFLATE_SUCCESS) {
      ADD_FAILURE() << "not gzip at byte " << at;
      break;
    }
    out.append(buffer, 0, produced);
    at += used;
  }
  libdeflate_free_decompressor(decompressor);
  if (members) *members = count;
  return out;
}

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_GUNZIP_H
