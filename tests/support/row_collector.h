#ifndef PARALOG_SUPPORT_ROW_COLLECTOR_H
#define PARALOG_SUPPORT_ROW_COLLECTOR_H

// The one harness the generator tests share: a RowSink that keeps the
// canonical line of every row per section, and checks each against the text
// parser, the independent reading of a line.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lp/row.h"
#include "support/inequality.h"

namespace paralog::testutil {

class RowCollector : public RowSink {
 public:
  void add(Section section, const TermList& terms, Relation relation, int32_t rhs,
           TermOrder order) override {
    // A row claimed canonical must be so already.
    if (order == TermOrder::kCanonical) {
      EXPECT_TRUE(isCanonical(terms));
    }
    TermList canonical = terms;
    makeCanonical(canonical);
    std::string line;
    renderRow(canonical, relation, rhs, line);
    // A canonical line reads back as itself.
    EXPECT_EQ(renderInequality(parseInequality(line)), line);
    lines_[std::string(sectionName(section))].push_back(std::move(line));
  }

  /// For hand-written reference generators: `text` in any term order.
  void addText(std::string_view section, std::string_view text) {
    lines_[std::string(section)].push_back(renderInequality(parseInequality(text)));
  }

  /// The lines of "Subject To" or "Bounds", in the order added.
  std::vector<std::string> lines(std::string_view section) const {
    const auto it = lines_.find(std::string(section));
    return it == lines_.end() ? std::vector<std::string>{} : it->second;
  }

 private:
  std::map<std::string, std::vector<std::string>> lines_;
};

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_ROW_COLLECTOR_H
