#pragma once

#include <string>
#include <string_view>

namespace vandrel {

// A folder's path, "/", a name: joined without looking at either part, so a
// folder at the root gives "//name" and an empty name leaves the "/" at the end.
inline std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += '/';
    path += name;
    return path;
}

}  // namespace vandrel
