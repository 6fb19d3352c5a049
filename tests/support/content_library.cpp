#include "support/content_library.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "port/files.h"

namespace dvxtest {

Ini& Ini::categories(const std::string& section, std::initializer_list<std::string> names) {
    this->section(section);
    int n = 0;
    for (const std::string& listed : names) {
        const bool bare = !listed.empty() && listed[0] == '!';
        const std::string key = std::to_string(++n) + section;
        this->key(key, bare ? listed.substr(1) : listed);
        if (!bare) this->key(key + "Directory", listed);
    }
    return *this;
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(port::WriteWholeFile(path, text.data(), text.size())) << path;
}

void WriteFiles(const std::string& folder, std::initializer_list<std::string> names, const std::string& text) {
    for (const std::string& name : names) WriteTextFile(port::JoinPath(folder, name), text);
}

}  // namespace dvxtest
