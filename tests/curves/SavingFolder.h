// Helpers of the saving tests: a fresh temporary folder removed afterwards, whole-file reads and
// writes, and running a step without root's power to write anywhere.
#pragma once

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <string>

class SavingFolder {
public:
    SavingFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorbel-save-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::chmod(path.c_str(), 0755);  // so that an unprivileged child can reach it
    }
    ~SavingFolder() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path, ignored);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    // The names in folder `sub` ("" for the folder itself), hidden ones included.
    std::set<std::string> Names(const std::string& sub = "") const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(sub.empty() ? path : *this / sub)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    std::string path;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs `step` as a user without write permission overrides: directly when not root, otherwise in
// a child process that gives up root (user "nobody") first. What the step returned, or nothing
// when the child could not run it.
inline std::optional<bool> RunUnprivileged(const std::function<bool()>& step) {
    if (::geteuid() != 0) return step();
    pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        ::_exit(step() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return std::nullopt;
    return WEXITSTATUS(status) == 0;
}
