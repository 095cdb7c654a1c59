#pragma once
// What the Wine fuzz drivers take from their command line: `--seconds S`
// (5 unless given) and `--seed N` (from the clock unless given; printed first,
// so that a finding can be run again).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace brackwell::win::test {

struct FuzzRun {
    double seconds = 5;
    unsigned seed = 0;
};

inline FuzzRun ReadFuzzRun(int argc, char** argv, const char* driver) {
    FuzzRun run;
    run.seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::string(argv[i]) == "--seconds") run.seconds = std::atof(argv[i + 1]);
        if (std::string(argv[i]) == "--seed") run.seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
    }
    std::printf("%s: seed %u\n", driver, run.seed);
    std::fflush(stdout);
    return run;
}

}  // namespace brackwell::win::test
