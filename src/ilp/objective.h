#ifndef PARALOG_ILP_OBJECTIVE_H
#define PARALOG_ILP_OBJECTIVE_H

#include <string>
#include <vector>

#include "genome/genome.h"
#include "lp/term.h"

namespace paralog {

/// The objective of the program of two structures, worked out from the
/// structures alone before any row is made: -2 for every z name (all copy
/// pairs of each common gene) and every p name (the numbered adjacencies),
/// in byte order together; then +1 for every l name (gene ends of the
/// first structure) and -1 for every r name (gene ends of both), in byte
/// order together; then, per o name of a circular chromosome of n >= 2
/// genes in byte order, +1 and -n (a later structure with the same o name
/// sets n). Owns the names that its terms view.
class Objective {
 public:
  Objective(const Structure& first, const Structure& second);
  Objective(const Objective&) = delete;
  Objective& operator=(const Objective&) = delete;

  const TermList& terms() const { return terms_; }

 private:
  std::vector<std::string> names_;
  TermList terms_;
};

}  // namespace paralog

#endif  // PARALOG_ILP_OBJECTIVE_H
