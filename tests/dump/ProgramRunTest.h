#pragma once
// A fixture for tests that run one of the test-support programs: a scratch folder per test, and
// the program's exit code, standard output and standard error.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ProgramRunTest : public ::testing::Test {
protected:
    std::filesystem::path dir;
    std::string out;
    std::string err;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("zorvic_program_test_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Writes `overrides` to a file in the scratch folder and returns its path.
    std::string OverridesFile(const std::string& overrides) const {
        const auto input = dir / "overrides.json";
        std::ofstream(input) << overrides;
        return input.string();
    }

    // Runs `program` with `arguments` (already quoted for the shell); returns its exit code.
    int RunProgram(const std::string& program, const std::string& arguments) {
        const auto errors = dir / "stderr.txt";
        const std::string command = program + " " + arguments + " 2>'" + errors.string() + "'";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return -1;
        out.clear();
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        const int status = ::pclose(pipe);
        std::stringstream text;
        text << std::ifstream(errors).rdbuf();
        err = text.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};
