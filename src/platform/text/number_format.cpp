#include "platform/text/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lumaro::text {
namespace {

using Wide = __int128;

std::string digitsOf(unsigned __int128 value) {
    std::string out;
    do {
        out.insert(out.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return out;
}

// Formats thousandths (value / 1000) without trailing zeros: 1500 → "1.5", -1 → "-0.001".
std::string formatThousandths(Wide thousandths) {
    const bool negative = thousandths < 0;
    const unsigned __int128 magnitude =
        negative ? static_cast<unsigned __int128>(-thousandths) : thousandths;
    std::string out = negative ? "-" : "";
    out += digitsOf(magnitude / 1000);
    int fraction = static_cast<int>(magnitude % 1000);
    if (fraction != 0) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, ".%03d", fraction);
        std::string f(buffer);
        while (f.back() == '0') {
            f.pop_back();
        }
        out += f;
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    return i;
}

}  // namespace

std::string formatInteger(std::int64_t value) {
    return std::to_string(value);
}

std::string formatReal(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0) {
        return "0";
    }
    // Thirteen significant digits in scientific form give the digits and the exponent;
    // then the digits are placed around the decimal point without an exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.12e", std::fabs(value));
    std::string mantissa(buffer, 14);  // d.dddddddddddd
    const int exponent = std::atoi(buffer + 15);
    std::string digits = mantissa.substr(0, 1) + mantissa.substr(2);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string out = value < 0 ? "-" : "";
    const int pointAt = exponent + 1;  // digits before the decimal point
    if (pointAt <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
    } else if (pointAt >= static_cast<int>(digits.size())) {
        out += digits + std::string(static_cast<std::size_t>(pointAt) - digits.size(), '0');
    } else {
        out += digits.substr(0, pointAt) + "." + digits.substr(pointAt);
    }
    return out;
}

std::string kilobytesRounded(std::int64_t bytes) {
    const Wide scaled = static_cast<Wide>(bytes) * 1000;
    Wide quotient = scaled / 1024;
    const Wide remainder = scaled % 1024;
    const Wide twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    if (twice >= 1024) {
        quotient += scaled < 0 ? -1 : 1;  // halves away from zero
    }
    return formatThousandths(quotient);
}

std::string kilobytesWhole(std::int64_t bytes) {
    return formatInteger(bytes / 1024);
}

double leadingNumber(std::string_view text) {
    std::size_t i = skipBlanks(text);
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            seenDigit = true;
        } else if (text[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0;
    }
    return std::strtod(std::string(text.substr(start, i - start)).c_str(), nullptr);
}

std::int64_t leadingInteger(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (value > (kMax - digit) / 10) {
            return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace lumaro::text
