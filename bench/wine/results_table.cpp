// The closing table: one row per figure, one column per pad, and how the figures were taken.
#include "results_table.h"

#include "stopwatch.h"

#include <algorithm>
#include <cstdio>

ResultsTable::ResultsTable(std::vector<std::string> columns) : columns_(std::move(columns)) {}

void ResultsTable::Set(const std::string& row, std::size_t column, const std::string& cell) {
    auto found = std::find_if(rows_.begin(), rows_.end(),
                              [&](const Row& existing) { return existing.label == row; });
    if (found == rows_.end()) {
        rows_.push_back(Row{row, std::vector<std::string>(columns_.size(), "-")});
        found = rows_.end() - 1;
    }
    found->cells[column] = cell;
}

void ResultsTable::AddNote(const std::string& note) {
    notes_.push_back(note);
}

void ResultsTable::Print(const std::string& title) const {
    std::size_t labelWidth = 0;
    for (const Row& row : rows_) {
        labelWidth = std::max(labelWidth, row.label.size());
    }
    std::vector<std::size_t> widths;
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        std::size_t width = columns_[column].size();
        for (const Row& row : rows_) {
            width = std::max(width, row.cells[column].size());
        }
        widths.push_back(width);
    }
    std::printf("\n%s\n\n%-*s", title.c_str(), static_cast<int>(labelWidth), "");
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        std::printf("  %*s", static_cast<int>(widths[column]), columns_[column].c_str());
    }
    std::printf("\n");
    for (const Row& row : rows_) {
        std::printf("%-*s", static_cast<int>(labelWidth), row.label.c_str());
        for (std::size_t column = 0; column < columns_.size(); ++column) {
            std::printf("  %*s", static_cast<int>(widths[column]), row.cells[column].c_str());
        }
        std::printf("\n");
    }
    if (!notes_.empty()) {
        std::printf("\n");
    }
    for (const std::string& note : notes_) {
        std::printf("%s\n", note.c_str());
    }
}

std::string MedianCell(const std::vector<double>& figures) {
    if (figures.empty()) {
        return "-";
    }
    char cell[32];
    std::snprintf(cell, sizeof cell, "%.1f", Median(figures));
    return cell;
}

std::string RangeCell(const std::vector<int>& counts) {
    if (counts.empty()) {
        return "-";
    }
    const auto [least, most] = std::minmax_element(counts.begin(), counts.end());
    return *least == *most ? std::to_string(*least)
                           : std::to_string(*least) + "-" + std::to_string(*most);
}
