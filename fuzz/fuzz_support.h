#pragma once
// What the fuzz targets share: the rule that nothing but the component's own
// designed failure may come out of it. Anything else is a finding: the
// target aborts, and libFuzzer keeps the input that did it.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "adapters/headless/script_error.h"

namespace brackwell::fuzz {

[[noreturn]] inline void Finding(const std::string& what) {
    std::fprintf(stderr, "FINDING: %s\n", what.c_str());
    std::abort();
}

// Runs a call that must let nothing out. A ScriptError is the harness asking
// for something a user could not do (a node out of view), not a finding.
template <class Call>
void MustHold(const char* what, Call&& call) {
    try {
        call();
    } catch (const headless::ScriptError&) {
    } catch (const std::exception& e) {
        Finding(std::string(what) + " let out: " + e.what());
    } catch (...) {
        Finding(std::string(what) + " let out a failure of unknown type");
    }
}

}  // namespace brackwell::fuzz
