#pragma once
// The benchmarks' table: one row per measurement beside its baseline, written as Markdown with
// the machine it was measured on.

#include <string>
#include <vector>

namespace bench {

struct ResultRow {
    std::string measurement;
    std::string result;
    std::string baseline;
    std::string comparison;
};

class ResultsTable {
  public:
    void add(ResultRow row) { m_rows.push_back(std::move(row)); }
    // A sentence below the table.
    void note(std::string text) { m_notes.push_back(std::move(text)); }
    bool empty() const { return m_rows.empty(); }
    std::string markdown() const;
    bool write(const std::string& path) const;

  private:
    std::vector<ResultRow> m_rows;
    std::vector<std::string> m_notes;
};

// "12.3" with the given decimals.
std::string Fixed(double value, int decimals);

}  // namespace bench
