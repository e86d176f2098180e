// The description byte format, and the program's descriptions against their tables.

#include "TestSupport.h"
#include "browser/Window1.h"
#include "browser/Window2.h"
#include "description/DescriptionTable.h"
#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

std::string hex(const Text& text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char byte : text.bytes()) {
        if (!out.empty())
            out += ' ';
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

ControlTableRow timerRow(std::int32_t mode, std::int32_t period)
{
    ControlTableRow row;
    row.name = "Timer";
    row.className = "Timer";
    row.otherValues = {{"Mode", mode}, {"Period", period}};
    return row;
}

} // namespace

TEST(DescriptionFormat, TimerIsTwentyBytesOfModeAndPeriod)
{
    const Text bytes = encodeControlDescription(timerRow(2, 100));
    EXPECT_EQ(bytes.byteLength(), 20u);
    EXPECT_EQ(hex(bytes), "4D 6F 64 65 20 00 00 00 02 50 65 72 69 6F 64 20 00 00 00 64");
}

TEST(DescriptionFormat, ValuesHaveTheirTypesLayout)
{
    const Text bytes = DescriptionWriter()
                           .add("Text", Text(""))
                           .add("Index", kNoControlArray)
                           .add("Left", -2)
                           .add("Bold", true)
                           .add("FillColor", color("#12AB0F"))
                           .add("Caption", Text("\xC3\xA9t\xC3\xA9"))
                           .text();
    EXPECT_EQ(hex(bytes), "54 65 78 74 20 00 00 00 00 "       // Text, empty: the count 0 alone
                          "49 6E 64 65 78 20 80 00 00 00 "    // Index: the smallest integer
                          "4C 65 66 74 20 FF FF FF FE "       // a negative integer, big-endian
                          "42 6F 6C 64 20 01 "                // a Boolean is one byte
                          "46 69 6C 6C 43 6F 6C 6F 72 20 12 AB 0F " // red, green, blue
                          "43 61 70 74 69 6F 6E 20 00 00 00 05 C3 A9 74 C3 A9"); // UTF-8 bytes counted
}

TEST(DescriptionFormat, ValueIsBooleanOnlyForBevelButtons)
{
    EXPECT_EQ(propertyType("Value", "BevelButton"), PropertyType::Boolean);
    EXPECT_EQ(propertyType("Value", "ProgressBar"), PropertyType::Integer);
    const auto bevel = decodeDescription(DescriptionWriter().add("Value", true).text(), "BevelButton", "b");
    EXPECT_EQ(bevel.at(0).value, PropertyValue(true));
    const auto bar = decodeDescription(DescriptionWriter().add("Value", 7).text(), "ProgressBar", "p");
    EXPECT_EQ(bar.at(0).value, PropertyValue(std::int32_t{7}));
}

TEST(DescriptionFormat, UnknownKeysAndCutDescriptionsAreErrorsNamingTheObject)
{
    const auto expectError = [](const std::string& bytes, const std::string& fragment) {
        try {
            decodeDescription(Text(bytes), "StaticText", "Window1, control iPods");
            FAIL() << "no error for " << fragment;
        } catch (const DescriptionError& error) {
            EXPECT_NE(std::string(error.what()).find("Window1, control iPods"), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(fragment), std::string::npos) << error.what();
        }
    };
    expectError(std::string("Colour ") + '\0' + '\0' + '\0', "unknown property \"Colour\"");
    expectError("TextSize", "cut short");
    expectError(std::string("TextSize ") + '\0' + '\0', "cut short in the value of \"TextSize\"");
    expectError(std::string("Text ") + '\0' + '\0' + '\0' + '\x05' + "abc", "cut short in the text of \"Text\"");
}

TEST(DescriptionTables, RejectWhatTheClassDoesNotHave)
{
    ControlTableRow row = timerRow(2, 100);
    row.otherValues.push_back({"Left", 3});
    EXPECT_THROW(encodeControlDescription(row), DescriptionError);

    ControlTableRow noMode = timerRow(2, 100);
    noMode.otherValues.erase(noMode.otherValues.begin());
    EXPECT_THROW(encodeControlDescription(noMode), DescriptionError); // Mode has no default

    ControlTableRow wrongType = timerRow(2, 100);
    wrongType.otherValues[0].value = true;
    EXPECT_THROW(encodeControlDescription(wrongType), DescriptionError);

    std::vector<WindowTableRow> window = parvolin::Window1::windowTable();
    std::swap(window[1], window[2]);
    EXPECT_THROW(encodeWindowDescription(window), DescriptionError);
}

TEST(MainWindowDescription, FileListIs703BytesAndEveryControlIsOutsideControlArrays)
{
    for (const ControlTableRow& row : parvolin::Window1::controlTable()) {
        const Text bytes = encodeControlDescription(row);
        if (row.name == "ListBox1") {
            EXPECT_EQ(bytes.byteLength(), 703u);
        }
        if (row.className == "Timer") {
            EXPECT_EQ(bytes.byteLength(), 20u) << row.name;
            continue;
        }
        const auto entries = decodeDescription(bytes, row.className, row.name);
        EXPECT_EQ(entries.at(1).key, "Index");
        EXPECT_EQ(entries.at(1).value, PropertyValue(kNoControlArray)) << row.name;
    }
}

TEST(MainWindowDescription, WindowKeysDecodeInOrder)
{
    const auto& table = parvolin::Window1::windowTable();
    const auto entries = decodeDescription(encodeWindowDescription(table), "Window", "Window1");
    ASSERT_EQ(entries.size(), 21u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(entries[i].key, table[i].property);
        EXPECT_EQ(entries[i].value, table[i].value);
    }
    EXPECT_EQ(entries[11].value, PropertyValue(Text("a")));
}

TEST(ProgressWindowDescription, StopHintIsTwentySevenCharacters)
{
    const auto& rows = parvolin::Window2::controlTable();
    EXPECT_EQ(*rows[1].textOrCaption, Text("Press Command + \".\" to stop"));
    EXPECT_EQ(Len(*rows[1].textOrCaption), 27);
}
