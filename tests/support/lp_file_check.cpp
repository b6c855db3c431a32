#include "support/lp_file_check.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "genome/reader.h"
#include "lp/variable_names.h"
#include "support/inequality.h"

namespace paralog::testutil {
namespace {

// Which declaration list names a variable.
enum class Kind { kBinary, kGeneral };

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

// Walks the lines of the file, remembering where a fault was found.
class Checker {
 public:
  explicit Checker(std::string_view lp) : lines_(splitLines(lp)) {}

  std::string run() {
    if (!expect("Minimize")) return problem_;
    if (!tabbed()) return fail("the objective does not follow \"Minimize\" after a tab");
    const std::string_view objective = lines_[next_++].substr(1);
    if (!expect("")) return problem_;

    std::vector<std::string_view> rows;
    for (const char* section : {"Subject To", "Bounds"}) {
      if (next_ >= lines_.size() || lines_[next_] != section) continue;
      ++next_;
      const size_t first = rows.size();
      while (tabbed()) rows.push_back(lines_[next_++].substr(1));
      if (rows.size() == first) return fail(std::string("section \"") + section + "\" is empty");
      if (!expect("")) return problem_;
    }
    if (!expect("") || !expect("Binary")) return problem_;
    if (!declarations(Kind::kBinary, "ztp")) return problem_;
    if (!expect("") || !expect("General")) return problem_;
    if (!declarations(Kind::kGeneral, "loru")) return problem_;
    if (!expect("") || !expect("End")) return problem_;
    if (next_ != lines_.size()) return fail("text follows \"End\"");

    try {
      parseExpression(objective);
    } catch (const std::runtime_error&) {
      return "the objective " + std::string(objective) + " does not parse";
    }
    if (!usesDeclared(objective, "the objective")) return problem_;
    Inequality inequality;
    std::string rendered;
    for (const std::string_view row : rows) {
      try {
        parseInequality(row, inequality);
      } catch (const std::runtime_error&) {
        return "the line \"" + std::string(row) + "\" does not parse";
      }
      rendered.clear();
      renderInequality(inequality, rendered);
      if (rendered != row) {
        return "the line \"" + std::string(row) + "\" renders as \"" + rendered + "\"";
      }
      if (!usesDeclared(row, "the line \"" + std::string(row) + "\"")) return problem_;
    }
    return {};
  }

 private:
  std::string fail(const std::string& what) {
    problem_ = "line " + std::to_string(next_ + 1) + ": " + what;
    return problem_;
  }

  bool expect(std::string_view line) {
    if (next_ < lines_.size() && lines_[next_] == line) {
      ++next_;
      return true;
    }
    fail("expected \"" + std::string(line) + "\", found " +
         (next_ < lines_.size() ? "\"" + std::string(lines_[next_]) + "\"" : "the end"));
    return false;
  }

  bool tabbed() const {
    return next_ < lines_.size() && !lines_[next_].empty() && lines_[next_].front() == '\t';
  }

  bool declarations(Kind kind, std::string_view prefixes) {
    std::string_view previous;
    bool any = false;
    while (tabbed()) {
      const std::string_view name = lines_[next_].substr(1);
      if (name.size() < 3 || prefixes.find(name[0]) == std::string_view::npos || name[1] != '_') {
        fail("\"" + std::string(name) + "\" has no family prefix of its list");
        return false;
      }
      if (name.size() > kMaxVariableNameLength) {
        fail("\"" + std::string(name) + "\" is longer than " +
             std::to_string(kMaxVariableNameLength) + " characters");
        return false;
      }
      if (!std::all_of(name.begin(), name.end(),
                       [](char c) { return c == '.' || isGeneNameCharacter(c); })) {
        fail("\"" + std::string(name) + "\" holds a character names may not hold");
        return false;
      }
      if (any && !(previous < name)) {
        fail("\"" + std::string(name) + "\" does not come after \"" + std::string(previous) +
             "\" in byte order");
        return false;
      }
      if (!declared_.emplace(name, kind).second) {
        fail("\"" + std::string(name) + "\" is declared under both \"Binary\" and \"General\"");
        return false;
      }
      previous = name;
      any = true;
      ++next_;
    }
    return true;
  }

  // Every token that starts with a lower-case letter names a variable.
  bool usesDeclared(std::string_view text, const std::string& where) {
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find(' ', start);
      if (end == std::string_view::npos) end = text.size();
      const std::string_view token = text.substr(start, end - start);
      if (!token.empty() && token.front() >= 'a' && token.front() <= 'z' &&
          declared_.count(token) == 0) {
        problem_ = where + " uses the undeclared variable \"" + std::string(token) + "\"";
        return false;
      }
      start = end + 1;
    }
    return true;
  }

  std::vector<std::string_view> lines_;
  size_t next_ = 0;
  std::unordered_map<std::string_view, Kind> declared_;
  std::string problem_;
};

}  // namespace

std::string lpFileProblem(std::string_view lp) { return Checker(lp).run(); }

}  // namespace paralog::testutil
