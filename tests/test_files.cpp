#include "tests/test_files.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "tools/generator/table_generator.h"

namespace vandrel::testing {

TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("vandrel-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TemporaryFolder::write(const std::string& name, std::string_view bytes) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string generateEphemeris(const std::vector<std::string>& arguments) {
    return generator::generateTable(arguments);
}

std::filesystem::path sharedEphemerides() {
    const std::filesystem::path folder = VANDREL_SHARED_EPHEMERIDES;
    return std::filesystem::is_directory(folder) ? folder : std::filesystem::path();
}

CommandOutput runCommand(const std::string& commandLine, const std::string& input) {
    TemporaryFolder folder;
    const std::string in = folder.write("in", input);
    const auto out = folder.path() / "out";
    const auto err = folder.path() / "err";
    const std::string full =
        commandLine + " <'" + in + "' >'" + out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(full.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWholeFile(out), readWholeFile(err)};
}

ScanSettings betweenDates(std::string start, std::string end) {
    ScanSettings settings;
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    settings.startFilterOn = true;
    settings.startDateText = std::move(start);
    settings.endStopOn = true;
    settings.endDateText = std::move(end);
    return settings;
}

}  // namespace vandrel::testing
