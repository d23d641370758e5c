// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VbConvert.h"

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

}  // namespace

std::optional<std::int32_t> valToInt32(std::string_view text) {
    return valToInt<std::int32_t>(text);
}
std::optional<std::int16_t> valToInt16(std::string_view text) {
    return valToInt<std::int16_t>(text);
}

}  // namespace tessera
