// The platform's text utilities as the engine and the editor rely on them:
// case mapping of French accented letters, number conversions, UTF-8 texts.
#include <gtest/gtest.h>

#include "platform/platform.h"

TEST(TextCase, AccentedLettersChangeCaseLikePlainOnes) {
    EXPECT_EQ(upperCase(u"épée à l'entrée du château, garçon, œuf, ÿ"), u"ÉPÉE À L'ENTRÉE DU CHÂTEAU, GARÇON, ŒUF, Ÿ");
    EXPECT_EQ(lowerCase(u"ÉPÉE À L'ENTRÉE DU CHÂTEAU, GARÇON, ŒUF, Ÿ"), u"épée à l'entrée du château, garçon, œuf, ÿ");
    // Signs among the letters keep their code; digits, punctuation and other
    // scripts are left alone.
    EXPECT_EQ(upperCase(u"×÷ß"), u"×÷ß");
    EXPECT_EQ(lowerCase(u"×÷ß"), u"×÷ß");
    EXPECT_EQ(upperCase(u"n°1 - ok? Ω"), u"N°1 - OK? Ω");
    for (char16_t c = 0x20; c < 0x180; ++c) {
        if (c == 0x130 || c == 0x131) continue;  // the Turkish i's map to the plain I and i
        const char16_t upper = upperCaseChar(c), lower = lowerCaseChar(c);
        EXPECT_EQ(upper != c ? lowerCaseChar(upper) : c, c) << "upper of " << static_cast<int>(c);
        EXPECT_EQ(lower != c ? upperCaseChar(lower) : c, c) << "lower of " << static_cast<int>(c);
    }
}

TEST(TextNumbers, DecimalTextFollowsTheReadingRules) {
    // clang-format off
    const std::pair<std::u16string, int64_t> cases[] = {
        {u"255", 255}, {u"  \t -12abc", -12}, {u"+7", 7}, {u"0042", 42}, {u"", 0}, {u"abc", 0},
        {u"- 5", 0},  // the digits must follow the sign
        {u"\n5", 0},  // only blanks and tabs are skipped
        {u"9223372036854775807", INT64_MAX}, {u"-9223372036854775808", INT64_MIN}};
    // clang-format on
    for (const auto& [text, value] : cases) EXPECT_EQ(textToInteger(text), value) << textToUtf8(text);
    (void)textToInteger(std::u16string(5000, u'9'));  // far too many digits stop nothing; the value wraps
    EXPECT_EQ(integerToText(0), u"0");
    EXPECT_EQ(integerToText(-1), u"-1");
    EXPECT_EQ(integerToText(INT64_MIN), u"-9223372036854775808");
    for (int64_t value : {int64_t{0}, int64_t{-1}, int64_t{253}, int64_t{-987654321}, INT64_MAX}) {
        EXPECT_EQ(textToInteger(integerToText(value)), value);
    }
}

TEST(TextParts, PartsAreCutWithinTheText) {
    const std::u16string text = u"château";
    EXPECT_EQ(textLength(text), 7);
    // clang-format off
    const std::pair<std::u16string, std::u16string> cases[] = {
        {leftPart(text, 3), u"châ"}, {leftPart(text, 99), text}, {leftPart(text, -1), u""},
        {rightPart(text, 4), u"teau"}, {rightPart(text, 99), text}, {middlePart(text, 3, 2), u"ât"},
        {middlePart(text, 7, 5), u"u"}, {middlePart(text, 8, 1), u""}, {charFromCode(0xE9), u"é"},
        {trimSpaces(u"  un mot  "), u"un mot"}, {trimSpaces(u"\tun\t"), u"\tun\t"}};
    // clang-format on
    for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected) << textToUtf8(expected);
}

TEST(TextEncoding, Utf8AndUtf16TextsConvertBothWays) {
    const std::string utf8 = "Vous vous trouvez à l'entrée du château. 🐉 Œ";
    const std::u16string text = utf8ToText(utf8);
    EXPECT_EQ(text.size(), 45u);  // 44 characters; the dragon takes two UTF-16 units
    EXPECT_EQ(text[0], u'V');
    EXPECT_EQ(textToUtf8(text), utf8);
    // Broken sequences become replacement characters, one per bad byte, and
    // never swallow the text that follows.
    EXPECT_EQ(utf8ToText("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(utf8ToText("\xFF"
                         "b\xE9t\xE9"),
              u"\uFFFDb\uFFFDt\uFFFD");
    EXPECT_EQ(utf8ToText("\xC0\x80"), u"\uFFFD\uFFFD");  // an over-long form of NUL
    EXPECT_EQ(textToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}
