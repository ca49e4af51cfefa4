// The platform's text utilities as the engine and the editor rely on them:
// case mapping of French accented letters, number conversions, UTF-8 texts.
#include <gtest/gtest.h>

#include "app/platform.h"

TEST(TextCase, AccentedLettersChangeCaseLikePlainOnes) {
    EXPECT_EQ(upperCase(u"épée à l'entrée du château, garçon, œuf, ÿ"), u"ÉPÉE À L'ENTRÉE DU CHÂTEAU, GARÇON, ŒUF, Ÿ");
    EXPECT_EQ(lowerCase(u"ÉPÉE À L'ENTRÉE DU CHÂTEAU, GARÇON, ŒUF, Ÿ"), u"épée à l'entrée du château, garçon, œuf, ÿ");
    // Signs that sit among the letters keep their code.
    EXPECT_EQ(upperCase(u"×÷ß"), u"×÷ß");
    EXPECT_EQ(lowerCase(u"×÷ß"), u"×÷ß");
    // Digits, punctuation and other scripts are left alone.
    EXPECT_EQ(upperCase(u"n°1 - ok? Ω"), u"N°1 - OK? Ω");
}

TEST(TextCase, EveryLatinLetterComesBackFromARoundTrip) {
    for (char16_t c = 0x20; c < 0x180; ++c) {
        if (c == 0x130 || c == 0x131) continue;  // the Turkish i's map to the plain I and i
        const char16_t upper = upperCaseChar(c);
        const char16_t lower = lowerCaseChar(c);
        if (upper != c) EXPECT_EQ(lowerCaseChar(upper), c) << static_cast<int>(c);
        if (lower != c) EXPECT_EQ(upperCaseChar(lower), c) << static_cast<int>(c);
    }
}

TEST(TextNumbers, DecimalTextFollowsTheReadingRules) {
    EXPECT_EQ(textToInteger(u"255"), 255);
    EXPECT_EQ(textToInteger(u"  \t -12abc"), -12);
    EXPECT_EQ(textToInteger(u"+7"), 7);
    EXPECT_EQ(textToInteger(u"0042"), 42);
    EXPECT_EQ(textToInteger(u""), 0);
    EXPECT_EQ(textToInteger(u"abc"), 0);
    EXPECT_EQ(textToInteger(u"- 5"), 0);  // the digits must follow the sign
    EXPECT_EQ(textToInteger(u"\n5"), 0);  // only blanks and tabs are skipped
    EXPECT_EQ(textToInteger(u"9223372036854775807"), INT64_MAX);
    EXPECT_EQ(textToInteger(u"-9223372036854775808"), INT64_MIN);
    // Far too many digits must not stop anything; the value wraps.
    (void)textToInteger(std::u16string(5000, u'9'));
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
    EXPECT_EQ(leftPart(text, 3), u"châ");
    EXPECT_EQ(leftPart(text, 99), text);
    EXPECT_EQ(leftPart(text, -1), u"");
    EXPECT_EQ(rightPart(text, 4), u"teau");
    EXPECT_EQ(rightPart(text, 99), text);
    EXPECT_EQ(middlePart(text, 3, 2), u"ât");
    EXPECT_EQ(middlePart(text, 7, 5), u"u");
    EXPECT_EQ(middlePart(text, 8, 1), u"");
    EXPECT_EQ(charFromCode(0xE9), u"é");
    EXPECT_EQ(trimSpaces(u"  un mot  "), u"un mot");
    EXPECT_EQ(trimSpaces(u"\tun\t"), u"\tun\t");
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
