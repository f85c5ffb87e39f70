#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/linux/command_runner.h"

namespace kz7::testing_support {

// Answers each command line (its words joined by single blanks) with a
// scripted result; anything unscripted is a tool that is not installed.
// Every command run is kept, in order.
class FakeRunner : public linux_platform::CommandRunner {
public:
    using Result = linux_platform::CommandResult;

    static Result Output(std::string text, int exitCode = 0) {
        Result result;
        result.outcome = Result::Outcome::Exited;
        result.exitCode = exitCode;
        result.output = std::move(text);
        return result;
    }
    static Result Outcome(Result::Outcome outcome) {
        Result result;
        result.outcome = outcome;
        return result;
    }

    void Answer(const std::string& line, Result result) { answers[line] = std::move(result); }

    Result Run(const std::vector<std::string>& argv) override {
        std::string line;
        for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
        calls.push_back(line);
        const auto found = answers.find(line);
        if (found != answers.end()) return found->second;
        return Outcome(Result::Outcome::NotFound);
    }

    std::map<std::string, Result> answers;
    std::vector<std::string> calls;
};

}  // namespace kz7::testing_support
