// libFuzzer target: any bytes as a requested name, written into a folder of
// its own. Aborts, so the fuzzer reports it, when any of these breaks:
// - the request succeeds exactly when the name follows the host-name rule;
// - after a success the file holds exactly the name and a line feed;
// - after a refusal the file is byte for byte what it was;
// - no other file is ever left in the folder.
#include "platform/linux/host_name_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <dirent.h>
#include <unistd.h>

namespace {

std::string folder;

// The rule, written again from its statement, to check the layer's reading.
bool FollowsTheRule(const std::string &name) {
    if (name.empty() || name.size() > 64) {
        return false;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = name.find('.', start);
        const std::string label = name.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') {
            return false;
        }
        for (const char c : label) {
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (!letter && !(c >= '0' && c <= '9') && c != '-') {
                return false;
            }
        }
        if (dot == std::string::npos) {
            return true;
        }
        start = dot + 1;
    }
}

std::string Content() {
    std::ifstream in(folder + "/hostname", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool OnlyTheHostnameFile() {
    DIR *dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    int others = 0;
    while (const dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        others += name != "." && name != ".." && name != "hostname";
    }
    closedir(dir);
    return others == 0;
}

void Check(bool holds, const char *what, const std::string &name) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s (name of %zu bytes)\n", what, name.size());
        std::abort();
    }
}

void RemoveFolder() {
    unlink((folder + "/hostname").c_str());
    rmdir(folder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // Memory-backed where there is such a folder: every success flushes to disk.
    char pattern[] = "/dev/shm/hostlabel-fuzz.XXXXXX";
    char fallback[] = "/tmp/hostlabel-fuzz.XXXXXX";
    const char *made = mkdtemp(pattern);
    folder = made != nullptr ? made : mkdtemp(fallback);
    std::ofstream(folder + "/hostname") << "old-host\n";
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The name ends where a C string would.
    std::string name(reinterpret_cast<const char *>(data), size);
    name = name.c_str();

    const std::string before = Content();
    const bool valid = FollowsTheRule(name);
    Check(IsValidHostName(name.c_str()) == valid, "the layer's rule differs", name);
    const int result = ReplaceHostNameFile(folder.c_str(), name.c_str());
    Check((result == 0) == valid, "success does not match the rule", name);
    Check(Content() == (valid ? name + "\n" : before), "the file holds the wrong bytes", name);
    Check(OnlyTheHostnameFile(), "a stray file was left", name);
    return 0;
}
