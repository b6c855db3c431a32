#ifndef PARALOG_LP_VARIABLE_NAMES_H
#define PARALOG_LP_VARIABLE_NAMES_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/decimal.h"

namespace paralog {

// How the program spells the names of its variables, the one place that
// knows it. A key is an extremity key (genome/extremity.h), k the id of a
// structure, i and j copy indices:
//
//   z_ gene . i . j    a copy of the first structure matched with one of the second
//   t_ k _ lo hi       two gene ends joined (lo, hi: the two keys in byte order)
//   p_ k _ lo hi       a numbered adjacency
//   u_ k _ lo hi       the label of an adjacency
//   r_ k _ key         the value of a gene end
//   l_ key             the value of a matched gene end of the first structure
//   o_ k _ n           the n-th chromosome (from 0) of a structure, circular
//
// The append functions add the name to the end of `out` and allocate no
// more than the growth of `out`, so that a loop may spell every name into
// one reused buffer; they are inline, as the storage calls them for
// every name of the program.

/// The longest variable name LP readers accept.
inline constexpr size_t kMaxVariableNameLength = 255;

/// Length of a name pairing two keys of the given lengths under an id of
/// `idLength` characters: the t, p and u names, the longest of the program.
constexpr size_t pairNameLength(size_t idLength, size_t keyLengthA, size_t keyLengthB) {
  return 3 + idLength + keyLengthA + keyLengthB;
}

/// prefix k "_" lo hi, the shape of the t, p and u names.
inline void appendPairName(std::string& out, std::string_view prefix, int32_t k,
                           std::string_view keyA, std::string_view keyB) {
  out.append(prefix);
  appendDecimal(out, k);
  out += '_';
  if (keyB < keyA) std::swap(keyA, keyB);
  out.append(keyA);
  out.append(keyB);
}

/// "z_" gene ".", the start shared by the z names of one gene. No gene name
/// holds a ".", so the z names of a gene stand together in byte order,
/// ordered as these starts are.
inline void appendZNamePrefix(std::string& out, std::string_view gene) {
  out.append("z_");
  out.append(gene);
  out += '.';
}

/// "z_" gene "." i "." j.
inline void appendZName(std::string& out, std::string_view gene, int32_t i, int32_t j) {
  appendZNamePrefix(out, gene);
  appendDecimal(out, i);
  out += '.';
  appendDecimal(out, j);
}

/// "t_" k "_", the start of the t names under id k.
inline void appendTNamePrefix(std::string& out, int32_t k) {
  out.append("t_");
  appendDecimal(out, k);
  out += '_';
}

/// "t_" k "_" lo hi, "p_" k "_" lo hi and "u_" k "_" lo hi, where lo and hi
/// are `keyA` and `keyB` in byte order.
inline void appendTName(std::string& out, int32_t k, std::string_view keyA, std::string_view keyB) {
  appendPairName(out, "t_", k, keyA, keyB);
}

inline void appendPName(std::string& out, int32_t k, std::string_view keyA, std::string_view keyB) {
  appendPairName(out, "p_", k, keyA, keyB);
}

inline void appendUName(std::string& out, int32_t k, std::string_view keyA, std::string_view keyB) {
  appendPairName(out, "u_", k, keyA, keyB);
}

/// "r_" k "_" key.
inline void appendRName(std::string& out, int32_t k, std::string_view key) {
  out.append("r_");
  appendDecimal(out, k);
  out += '_';
  out.append(key);
}

/// "l_" key.
inline void appendLName(std::string& out, std::string_view key) {
  out.append("l_");
  out.append(key);
}

/// "o_" k "_" n.
inline void appendOName(std::string& out, int32_t k, uint64_t n) {
  out.append("o_");
  appendDecimal(out, k);
  out += '_';
  appendUnsignedDecimal(out, n);
}

/// The families of variables, by the name they are spelled with; kOther
/// for any name spelled otherwise (models that are not the program).
enum class VariableFamily : uint8_t { kOther, kZ, kT, kP, kU, kR, kL, kO };

/// The family `name` is spelled as, judged by its first two characters.
VariableFamily variableFamily(std::string_view name);

/// What a z name says: the gene (a view into the name) and the copy index
/// in the first and in the second structure.
struct ZName {
  std::string_view gene;
  int32_t first = 0;
  int32_t second = 0;
};

/// Reads `name` as a z name; nothing when it is not spelled as one.
std::optional<ZName> readZName(std::string_view name);

}  // namespace paralog

#endif  // PARALOG_LP_VARIABLE_NAMES_H
