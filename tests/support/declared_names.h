#ifndef PARALOG_SUPPORT_DECLARED_NAMES_H
#define PARALOG_SUPPORT_DECLARED_NAMES_H

// The names a storage declares, of one kind, in the order it declares them
// (byte order): what the generator tests compare against.

#include <string_view>
#include <vector>

#include "lp/program_consumer.h"
#include "lp/variables_storage.h"

namespace paralog::testutil {

class DeclaredNames : public DeclarationSink {
 public:
  DeclaredNames(const VariablesStorage& storage, VariableKind kind) : kind_(kind) {
    storage.declareAll(*this);
  }
  void declare(VariableKind kind, std::string_view name) override {
    if (kind == kind_) names_.push_back(name);
  }
  /// Views into the storage, which must outlive them.
  const std::vector<std::string_view>& names() const { return names_; }

 private:
  VariableKind kind_;
  std::vector<std::string_view> names_;
};

inline std::vector<std::string_view> binaryNames(const VariablesStorage& storage) {
  return DeclaredNames(storage, VariableKind::kBinary).names();
}

inline std::vector<std::string_view> generalNames(const VariablesStorage& storage) {
  return DeclaredNames(storage, VariableKind::kGeneral).names();
}

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_DECLARED_NAMES_H
