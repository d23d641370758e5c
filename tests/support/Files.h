#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessera::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    const std::filesystem::path& dir() const { return dir_; }

  private:
    std::filesystem::path dir_;
};

void writeFile(const std::string& path, const Bytes& bytes);
void writeText(const std::string& path, const std::string& text);
Bytes readFile(const std::string& path);
std::string readText(const std::string& path);

void putLe16(Bytes& b, std::size_t pos, std::uint16_t v);
void putLe32(Bytes& b, std::size_t pos, std::uint32_t v);
inline void appendLe16(Bytes& b, std::uint16_t v) {
    putLe16(b, b.size(), v);
}
inline void appendLe32(Bytes& b, std::uint32_t v) {
    putLe32(b, b.size(), v);
}
void appendTag(Bytes& b, const char* fourChars);

}  // namespace tessera::test
