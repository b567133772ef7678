#pragma once

// Whole processes timed as a user runs them, for the benchmarks that put the
// quib tool beside another program doing the same work.

#include <string>
#include <vector>

namespace quibbench {

struct Times {
    double wall = -1;
    double cpu = -1;  // user and system time of the process
};

// Runs a program with LC_ALL set and its standard output sent to output
// (unless empty); its times in seconds, or -1 when it failed.
Times RunProcess(std::vector<std::string> args, const std::string& locale,
                 const std::string& output = {});

// The least wall and CPU time of three runs: on a busy machine the least is
// the run that waited least for the processor.
Times BestOfThree(const std::vector<std::string>& args, const std::string& locale,
                  const std::string& output = {});

}  // namespace quibbench
