// Text utilities: UTF-16 texts, case mapping with accented letters, numbers.
#include <string>

#include "platform/platform_internal.h"

std::u16string rightPart(const std::u16string& text, int64_t count) {
    if (count <= 0) return u"";
    if (static_cast<size_t>(count) >= text.size()) return text;
    return text.substr(text.size() - static_cast<size_t>(count));
}

static bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

static bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::u16string charFromCode(int64_t code) {
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return u"";
    if (code <= 0xFFFF) return std::u16string(1, static_cast<char16_t>(code));
    const int64_t above = code - 0x10000;
    return {static_cast<char16_t>(0xD800 + (above >> 10)), static_cast<char16_t>(0xDC00 + (above & 0x3FF))};
}

int64_t takeFirstCharacter(std::u16string& text) {
    if (text.empty()) return 0;
    int64_t code = text[0];
    size_t length = 1;
    if (isHighSurrogate(text[0]) && text.size() > 1 && isLowSurrogate(text[1])) {
        code = 0x10000 + ((code - 0xD800) << 10) + (text[1] - 0xDC00);
        length = 2;
    }
    text.erase(0, length);
    return code;
}

void dropLastCharacter(std::u16string& text) {
    if (text.empty()) return;
    const size_t size = text.size();
    const bool pair = size > 1 && isLowSurrogate(text[size - 1]) && isHighSurrogate(text[size - 2]);
    text.erase(size - (pair ? 2 : 1));
}

int64_t characterCount(const std::u16string& text) {
    int64_t count = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (!(isLowSurrogate(text[at]) && at > 0 && isHighSurrogate(text[at - 1]))) ++count;
    }
    return count;
}

// Latin-1 Supplement and Latin Extended-A hold every accented letter of French
// (and most of Western Europe); other scripts keep their case.
char16_t upperCaseChar(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
    if (c == 0xFF) return 0x178;
    if (c == 0x130 || c == 0x131) return c == 0x131 ? u'I' : c;  // Turkish i: no pair of its own
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return static_cast<char16_t>(c & ~1);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    return c;
}

char16_t lowerCaseChar(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    if (c == 0x178) return 0xFF;
    if (c == 0x130 || c == 0x131) return c == 0x130 ? u'i' : c;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return static_cast<char16_t>(c | 1);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
    return c;
}

int64_t lowerCaseCode(int64_t code) {
    return code >= 0 && code <= 0xFFFF ? lowerCaseChar(static_cast<char16_t>(code)) : code;
}

std::u16string upperCase(const std::u16string& text) {
    std::u16string result = text;
    for (char16_t& c : result) c = upperCaseChar(c);
    return result;
}

std::u16string lowerCase(const std::u16string& text) {
    std::u16string result = text;
    for (char16_t& c : result) c = lowerCaseChar(c);
    return result;
}

std::u16string integerToText(int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

namespace {

// Value of one digit in the base, or -1 when the character is not one.
int digitValue(char16_t c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9') {
        value = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        value = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        value = c - u'A' + 10;
    }
    return value < base ? value : -1;
}

}  // namespace

// The number at the front of the characters, read as textToInteger says;
// the same for the UTF-16 of a text and the bytes of a file's line, since
// every character a number is made of is one byte in UTF-8.
template <typename Char>
int64_t leadingInteger(const Char* text, size_t size, bool basePrefixes) {
    // Most lines of an adventure file are a few decimal digits, maybe after
    // "-", and nothing else: read at once, as the general reading below would.
    if (size > 0 && size <= 18) {
        const bool minus = text[0] == '-';
        uint64_t value = 0;
        size_t digit = minus ? 1 : 0;
        for (; digit < size && text[digit] >= '0' && text[digit] <= '9'; ++digit) {
            value = value * 10 + static_cast<uint64_t>(text[digit] - '0');
        }
        if (digit == size && size > (minus ? 1u : 0u)) {
            return minus ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
        }
    }
    size_t at = 0;
    while (at < size && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < size && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    int base = 10;
    if (basePrefixes && at < size && (text[at] == '$' || text[at] == '%')) {
        base = text[at] == '$' ? 16 : 2;
        ++at;
    }
    // A run of digits beyond the 64-bit range saturates at the largest (or,
    // with "-", the smallest) value instead of wrapping, so that a huge number
    // never turns into a small valid-looking one.
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    const uint64_t wide = static_cast<uint64_t>(base);
    // Below this, one more digit cannot pass the limit: adventure files have
    // hundreds of thousands of integer lines, so the division is rarely made.
    const uint64_t surelyFits = limit / 16;
    uint64_t magnitude = 0;
    for (; at < size; ++at) {
        // A byte above 127 is part of a character that is no digit.
        const int digit = digitValue(static_cast<char16_t>(text[at] < 0 ? 0 : text[at]), base);
        if (digit < 0) break;
        const uint64_t value = static_cast<uint64_t>(digit);
        if (magnitude < surelyFits || magnitude <= (limit - value) / wide) {
            magnitude = magnitude * wide + value;
        } else {
            magnitude = limit;  // saturated; the remaining digits change nothing
        }
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

int64_t textToInteger(const std::u16string& text, bool basePrefixes) {
    return leadingInteger(text.data(), text.size(), basePrefixes);
}

int64_t bytesToInteger(const char* bytes, size_t length, bool basePrefixes) {
    return leadingInteger(bytes, length, basePrefixes);
}

void appendDecimal(int64_t value, std::string& bytes) {
    char digits[24];
    int at = 24;
    // The magnitude as unsigned, so that the smallest 64-bit value is written too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        digits[--at] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[--at] = '-';
    bytes.append(digits + at, digits + 24);
}

void appendUtf16(const char* utf8, size_t n, std::u16string& result) {
    size_t i = 0;
    while (i < n) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            result.push_back(lead);
            ++i;
            continue;
        }
        uint32_t code = 0xFFFD;
        size_t length = 1;
        if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
        }
        if (length > 1) {
            bool valid = i + length <= n;
            uint32_t value = lead & (0xFF >> (length + 1));
            for (size_t k = 1; valid && k < length; ++k) {
                const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
                if ((next & 0xC0) != 0x80) valid = false;
                value = (value << 6) | (next & 0x3F);
            }
            const uint32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
            if (valid && value >= smallest[length] && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) {
                code = value;
            } else {
                length = 1;  // a broken sequence costs one byte and one replacement character
            }
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
}

std::u16string utf8ToText(const std::string& utf8) {
    std::u16string result;
    result.reserve(utf8.size());
    appendUtf16(utf8.data(), utf8.size(), result);
    return result;
}

void appendUtf8(const std::u16string& text, std::string& result) {
    // Room for the usual case, where most characters take one byte, made once.
    result.reserve(result.size() + text.size() + text.size() / 2);
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code < 0x80) {
            // A run of characters of one byte each, copied as a run.
            size_t end = i + 1;
            while (end < text.size() && text[end] < 0x80) ++end;
            const size_t from = result.size();
            result.resize(from + (end - i));
            for (size_t k = i; k < end; ++k) result[from + (k - i)] = static_cast<char>(text[k]);
            i = end - 1;
            continue;
        }
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        if (code < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (code >> 6)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            result.push_back(static_cast<char>(0xE0 | (code >> 12)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xF0 | (code >> 18)));
            result.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

std::string textToUtf8(const std::u16string& text) {
    std::string result;
    result.reserve(text.size());
    appendUtf8(text, result);
    return result;
}
