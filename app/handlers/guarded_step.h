#pragma once

#include <exception>
#include <string>

namespace vandrel {

// Runs one risky step. If it throws, the rest of the step is skipped and
// `recover` runs with what went wrong. True when the step ran to its end.
template <typename Step, typename Recover>
bool GuardedStep(Step&& step, Recover&& recover) {
    std::string failure;
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "unknown failure";
    }
    recover(failure);
    return false;
}

}  // namespace vandrel
