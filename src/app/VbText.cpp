#include "app/VbText.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace tessera {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The leading decimal number of a text: sign, digits, a decimal point, an exponent. Blanks inside
// the number are skipped, as the runtime does ("1 2" is 12).
double leadingNumber(std::string_view text) {
    std::string clean;
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        clean.push_back(text[i++]);
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            clean.push_back(c);
            digits = true;
        } else if (c == '.' && !point) {
            clean.push_back(c);
            point = true;
        } else if (!isBlank(c)) {
            break;
        }
    }
    if (!digits)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent.push_back(text[j++]);
        bool expDigits = false;
        for (; j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])); ++j) {
            exponent.push_back(text[j]);
            expDigits = true;
        }
        if (expDigits)
            clean += exponent;
    }
    return std::strtod(clean.c_str(), nullptr);
}

template <typename Int>
std::optional<Int> valToInt(std::string_view text) {
    const double rounded = std::nearbyint(leadingNumber(text));  // default mode: half to even
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::optional<std::int32_t> valToInt32(std::string_view text) {
    return valToInt<std::int32_t>(text);
}
std::optional<std::int16_t> valToInt16(std::string_view text) {
    return valToInt<std::int16_t>(text);
}

std::string hexText(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char buf[8];
    int n = 0;
    do {
        buf[n++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string out;
    while (n > 0)
        out.push_back(buf[--n]);
    return out;
}

std::string withoutExtension(std::string_view title) {
    return title.size() < 4 ? std::string() : std::string(title.substr(0, title.size() - 4));
}

std::string fileTitleOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool hasKind(std::string_view path, std::string_view threeLetters) {
    if (path.size() < threeLetters.size())
        return false;
    const auto tail = path.substr(path.size() - threeLetters.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (lower(tail[i]) != lower(threeLetters[i]))
            return false;
    }
    return true;
}

bool isTextOutput(std::string_view path) {
    return hasKind(path, ".h") || hasKind(path, ".c");
}

}  // namespace tessera
