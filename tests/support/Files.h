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
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    const std::filesystem::path& dir() const { return dir_; }

  private:
    std::filesystem::path dir_;
};

void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);
inline void writeText(const std::string& path, const std::string& text) {
    writeFile(path, Bytes(text.begin(), text.end()));
}
inline std::string readText(const std::string& path) {
    const Bytes b = readFile(path);
    return std::string(b.begin(), b.end());
}

inline void putLe16(Bytes& b, std::size_t pos, std::uint16_t v) {
    b.resize(std::max(b.size(), pos + 2));
    b[pos] = static_cast<std::uint8_t>(v), b[pos + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void putLe32(Bytes& b, std::size_t pos, std::uint32_t v) {
    putLe16(b, pos, static_cast<std::uint16_t>(v)), putLe16(b, pos + 2, std::uint16_t(v >> 16));
}
inline void appendLe16(Bytes& b, std::uint16_t v) {
    putLe16(b, b.size(), v);
}
inline void appendLe32(Bytes& b, std::uint32_t v) {
    putLe32(b, b.size(), v);
}
void appendTag(Bytes& b, const char* fourChars);

}  // namespace tessera::test
