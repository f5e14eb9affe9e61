#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "scan/scan_records.h"
#include "tests/table_text.h"

namespace vandrel::testing {

// A fresh folder under the system's temporary folder, removed at the end.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string write(const std::string& name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

std::string readWholeFile(const std::filesystem::path& path);

// A Horizons-style table from the project's generator; `arguments` as its options.
std::string generateEphemeris(const std::vector<std::string>& arguments);

// The folder of the real Horizons files beside the project, or empty when absent.
std::filesystem::path sharedEphemerides();

struct CommandOutput {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs a shell command line; standard input from `input` when not empty.
CommandOutput runCommand(const std::string& commandLine, const std::string& input = {});

// Both extremes, records from `start` on, and a stop at `end`.
ScanSettings betweenDates(std::string start, std::string end);

}  // namespace vandrel::testing
