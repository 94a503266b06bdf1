#include "cli/guicommand.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace quorbel::cli {

namespace {

namespace fs = std::filesystem;

using RunStandalone = int (*)(int argc, char **argv, const char *file, char *error, std::size_t errorSize);

// Where the add-in library may be, in the order tried.
std::vector<std::string> candidates()
{
    std::vector<std::string> paths;
    if (const char *chosen = std::getenv("QUORBEL_ADDIN_LIBRARY"); chosen != nullptr && *chosen != '\0') {
        paths.emplace_back(chosen);
        return paths;
    }
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path bin = self.parent_path();
        paths.push_back((bin.parent_path() / QUORBEL_INSTALL_LIBDIR / "libquorbel.so.1").string());
        paths.push_back((bin.parent_path() / "addin" / "libquorbel.so.1").string()); // the build tree
    }
    paths.emplace_back("libquorbel.so.1");
    return paths;
}

} // namespace

int runGui(const char *program, const std::optional<std::string> &file, std::ostream &err)
{
    std::string tried;
    void *library = nullptr;
    for (const std::string &path : candidates()) {
        if (path.find('/') != std::string::npos && !fs::exists(path)) {
            tried += "\n  " + path + ": no such file";
            continue;
        }
        library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library != nullptr)
            break;
        tried += std::string("\n  ") + dlerror();
    }
    if (library == nullptr) {
        err << "quorbel: gui: cannot load the add-in library libquorbel.so.1" << tried << '\n';
        return 1;
    }
    auto run = reinterpret_cast<RunStandalone>(dlsym(library, "QuorbelRunStandalone"));
    if (run == nullptr) {
        err << "quorbel: gui: the add-in library has no entry point QuorbelRunStandalone\n";
        return 1;
    }
    char error[512] = "";
    std::string name = program;
    char *argv[] = {name.data(), nullptr};
    const int code = run(1, argv, file ? file->c_str() : nullptr, error, sizeof error);
    if (error[0] != '\0')
        err << "quorbel: gui: " << error << '\n';
    // The library stays loaded: Qt's objects may still run exit handlers.
    return code;
}

} // namespace quorbel::cli
