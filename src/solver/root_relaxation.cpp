#include "solver/root_relaxation.h"

#include <ClpEventHandler.hpp>
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace paralog {
namespace {

// The relative margin below the bound, for the rounding of the sums.
constexpr double kMargin = 1e-7;

// Ends Clp's simplex at the pivot after a stop was asked for.
class StopOnRequest : public ClpEventHandler {
 public:
  explicit StopOnRequest(const std::atomic<bool>* stop) : stop_(stop) {}
  ClpEventHandler* clone() const override { return new StopOnRequest(*this); }
  int event(Event whichEvent) override {
    if (whichEvent != endOfIteration && whichEvent != endOfFactorization) return -1;
    return stop_->load() ? 0 : -1;
  }

 private:
  const std::atomic<bool>* stop_;  // outlives the solve
};

// The bound that Clp's row duals prove by themselves: for any duals y
// (of the right sign for each row's finite side), c x >= sum of y times
// the row sides plus, per column, the least of (c - A'y) x over its
// bounds, whatever x satisfies the rows. Summed in long double, it does
// not trust Clp's tolerances; none when some column without a finite
// bound has a reduced cost of the wrong sign.
std::optional<double> dualBound(const OsiClpSolverInterface& solver) {
  const int rows = solver.getNumRows();
  const int columns = solver.getNumCols();
  const double* rowPrice = solver.getRowPrice();
  const double* rowLower = solver.getRowLower();
  const double* rowUpper = solver.getRowUpper();
  const double infinity = solver.getInfinity();
  std::vector<long double> y(rows);
  long double bound = 0;
  for (int i = 0; i < rows; ++i) {
    if (rowPrice[i] > 0 && rowLower[i] > -infinity) {
      y[i] = rowPrice[i];
      bound += y[i] * rowLower[i];
    } else if (rowPrice[i] < 0 && rowUpper[i] < infinity) {
      y[i] = rowPrice[i];
      bound += y[i] * rowUpper[i];
    }
  }
  const CoinPackedMatrix& matrix = *solver.getMatrixByCol();
  const double* objective = solver.getObjCoefficients();
  const double* lower = solver.getColLower();
  const double* upper = solver.getColUpper();
  for (int j = 0; j < columns; ++j) {
    long double reduced = objective[j];
    const CoinBigIndex start = matrix.getVectorStarts()[j];
    for (CoinBigIndex k = start; k < start + matrix.getVectorLengths()[j]; ++k) {
      reduced -= y[matrix.getIndices()[k]] * matrix.getElements()[k];
    }
    const double side = reduced >= 0 ? lower[j] : upper[j];
    if (reduced == 0) continue;
    if (std::fabs(side) >= infinity) return std::nullopt;
    bound += reduced * side;
  }
  return static_cast<double>(bound);
}

}  // namespace

std::optional<double> solveRootRelaxation(OsiClpSolverInterface& solver, const std::atomic<bool>& stop) {
  ClpSimplex& clp = *solver.getModelPtr();
  const int logLevel = clp.logLevel();
  clp.setLogLevel(0);
  StopOnRequest handler(&stop);
  clp.passInEventHandler(&handler);
  solver.setHintParam(OsiDoPresolveInInitial, true, OsiHintDo);
  solver.setHintParam(OsiDoDualInInitial, true, OsiHintDo);
  solver.initialSolve();
  // Later solves (CBC's) must not look at a request meant for this one.
  const ClpEventHandler plain;
  clp.passInEventHandler(&plain);
  clp.setLogLevel(logLevel);
  if (stop.load() || !solver.isProvenOptimal()) return std::nullopt;
  const double optimum = solver.getObjValue();
  if (!std::isfinite(optimum)) return std::nullopt;
  const std::optional<double> dual = dualBound(solver);
  if (!dual) return optimum - kMargin * std::max(1.0, std::fabs(optimum));
  return std::min(*dual, optimum) - kMargin * std::max(1.0, std::fabs(optimum));
}

}  // namespace paralog
