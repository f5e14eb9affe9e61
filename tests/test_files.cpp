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

std::string record(std::string_view date, std::string_view rg, std::string_view time) {
    char line[256];
    std::snprintf(line, sizeof line, "2458849.500000000 = A.D. %.*s %.*s:00.0000 TDB \n",
                  static_cast<int>(date.size()), date.data(), static_cast<int>(time.size()),
                  time.data());
    std::string text = line;
    // The distance text sits at characters 31 to 51 of a 77-character line;
    // character 30 is the sign's place.
    std::snprintf(line, sizeof line,
                  " LT= 5.680996067794166E-03 RG=%22.*s RR=-1.730156260918764E-07\n",
                  static_cast<int>(rg.size()), rg.data());
    return text + line;
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
