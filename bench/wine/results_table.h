// The closing table: one row per figure, one column per pad, and how the figures were taken.
#pragma once

#include <string>
#include <vector>

class ResultsTable {
  public:
    explicit ResultsTable(std::vector<std::string> columns);

    // Sets a cell, adding the row (in the order rows are first named) when it is new.
    void Set(const std::string& row, std::size_t column, const std::string& cell);
    void AddNote(const std::string& note);
    void Print(const std::string& title) const;

  private:
    struct Row {
        std::string label;
        std::vector<std::string> cells;
    };
    std::vector<std::string> columns_;
    std::vector<Row> rows_;
    std::vector<std::string> notes_;
};

// A figure as the table shows it: the median of the timings or sizes, with one decimal;
// "-" when there are none.
std::string MedianCell(const std::vector<double>& figures);
// Whole counts: one value, or the smallest and largest when they differ.
std::string RangeCell(const std::vector<int>& counts);
