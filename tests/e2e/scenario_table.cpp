// The table of named scenarios, filled by the scenario files at start-up.
#include "scenario_table.h"

#include <algorithm>
#include <string_view>

namespace {

// A function-local table, so that registering works whatever order the files start in.
std::vector<Scenario>& Table() {
    static std::vector<Scenario> table;
    return table;
}

} // namespace

bool RegisterScenarios(std::initializer_list<Scenario> scenarios) {
    Table().insert(Table().end(), scenarios.begin(), scenarios.end());
    return true;
}

std::vector<Scenario> AllScenarios() {
    std::vector<Scenario> sorted = Table();
    std::sort(sorted.begin(), sorted.end(), [](const Scenario& a, const Scenario& b) {
        return std::string_view(a.name) < std::string_view(b.name);
    });
    return sorted;
}
