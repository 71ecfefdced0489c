#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace vorelin::test {

// A fresh folder for the files one test writes, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorelin-calc-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename());
        return names;
    }

private:
    std::filesystem::path m_path;
};

} // namespace vorelin::test
