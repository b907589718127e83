// The table of named scenarios. A scenario file registers its own at start-up:
//   const bool registered = RegisterScenarios({{"first_start", "what it shows", FirstStart}});
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

using ScenarioRun = void (*)();

struct Scenario {
    const char* name;
    const char* summary;
    ScenarioRun run;
};

bool RegisterScenarios(std::initializer_list<Scenario> scenarios);
// Every registered scenario, sorted by name.
std::vector<Scenario> AllScenarios();
