// Reading names and titles from callers' buffers.
#include "NameText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>

using teva::isUtf8;
using teva::readLabel;
using teva::readName;
using teva::readText;

namespace {

std::string repeat(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

} // namespace

TEST(TevaNameText, ReadsNamesUpTo63Bytes)
{
    struct Case {
        const char* name;
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {"ascii", "X1", true},
        {"63 bytes", std::string(63, 'a'), true},
        {"64 bytes", std::string(64, 'a'), false},
        {"empty", "", false},
        {"japanese", "斜面", true},
        {"21 three-byte letters", repeat("斜", 21), true},
        {"22 three-byte letters", repeat("斜", 22), false},
        {"lone continuation byte", "\x80", false},
        {"truncated sequence", "ab\xE6\x96", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"four-byte letter", "\xF0\x9F\x98\x80", true},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        const auto name = readName(t.text.c_str());
        EXPECT_EQ(name.has_value(), t.accepted);
        if (name) {
            EXPECT_EQ(*name, t.text);
        }
    }
    EXPECT_FALSE(readName(nullptr));
}

TEST(TevaNameText, NeverReadsPastTheBuffer)
{
    // A 64-byte heap block without a terminator: the sanitizer build would
    // report any read beyond it.
    auto block = std::make_unique<char[]>(64);
    std::memset(block.get(), 'q', 64);
    EXPECT_FALSE(readName(block.get()));
    block[63] = '\0';
    const auto name = readName(block.get());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->size(), 63u);
}

TEST(TevaNameText, StepLabelsAreCutAfterTheirLastWholeCharacter)
{
    struct Case {
        const char* name;
        std::string text;
        std::optional<std::string> label;
    };
    const Case cases[] = {
        {"short", "斜面定義 sl:1", "斜面定義 sl:1"},
        {"63 bytes", std::string(63, 'a'), std::string(63, 'a')},
        {"64 bytes", std::string(64, 'a'), std::string(63, 'a')},
        {"a letter across byte 63", "a" + repeat("斜", 22), "a" + repeat("斜", 20)},
        {"a letter ending at byte 63", repeat("斜", 22), repeat("斜", 21)},
        {"four-byte letter across", std::string(62, 'a') + "\xF0\x9F\x98\x80", std::string(62, 'a')},
        {"empty", "", std::nullopt},
        {"not UTF-8 in the kept part", "\xFF" + std::string(70, 'a'), std::nullopt},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(readLabel(t.text.c_str()), t.label);
    }
    EXPECT_FALSE(readLabel(nullptr));
    // No terminator within a 64-byte block: read no further.
    auto block = std::make_unique<char[]>(64);
    std::memset(block.get(), 'q', 64);
    EXPECT_EQ(readLabel(block.get()), std::string(63, 'q'));
}

TEST(TevaNameText, TitlesHaveTheirOwnLimit)
{
    const std::string title(199, 't');
    EXPECT_TRUE(readText(title.c_str(), 199));
    EXPECT_FALSE(readText((title + "t").c_str(), 199));
    EXPECT_TRUE(readText("", 199)) << "an empty title is allowed";
}

TEST(TevaNameText, Utf8Validation)
{
    EXPECT_TRUE(isUtf8(""));
    EXPECT_TRUE(isUtf8("\xC3\xA9"));
    EXPECT_FALSE(isUtf8("\xC0\x80")) << "overlong zero";
    EXPECT_FALSE(isUtf8("\xE0\x80\x80")) << "overlong three-byte form";
    EXPECT_FALSE(isUtf8("\xFF"));
}
