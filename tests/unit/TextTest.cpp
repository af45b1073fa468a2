#include "core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/CountedText.h"

TEST(CountedString, GrowsByAppendingAndKeepsItsZero)
{
    CString text;
    EXPECT_EQ("", text);
    EXPECT_TRUE(text.IsEmpty());
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        const std::string piece(static_cast<std::size_t>(i % 50), static_cast<char>('a' + i % 26));
        ASSERT_TRUE(text.Append(piece.c_str()));
        expected += piece;
    }
    EXPECT_EQ(expected, Str(text));
    EXPECT_EQ(expected.size(), std::char_traits<char>::length(text.GetString()));
    ASSERT_TRUE(text.Append({"<", "", ">"}));
    EXPECT_EQ(expected + "<>", Str(text));
}

TEST(CountedString, ATextTooLongToHoldLeavesItAsItWas)
{
    CString text = Text("kept");
    // The length is refused before the bytes would be read.
    EXPECT_FALSE(text.Append("x", CString::kMaxLength));
    EXPECT_FALSE(text.Assign("x", CString::kMaxLength + 1));
    EXPECT_FALSE(text.Preallocate(CString::kMaxLength + 1));
    EXPECT_EQ("kept", text);
}

TEST(CountedString, TakesPiecesOfItself)
{
    CString text = Text("abc");
    ASSERT_TRUE(text.Append(text));
    EXPECT_EQ("abcabc", text);
    ASSERT_TRUE(text.Assign(text.GetString() + 2, 3));
    EXPECT_EQ("cab", text);
    // A piece from inside, while the text grows and moves.
    CString grown = Text("abcd");
    ASSERT_TRUE(grown.Append(grown.GetString() + 1, 3));
    EXPECT_EQ("abcdbcd", grown);
}

TEST(CountedString, ComparesAndOpensByteForByte)
{
    const CString text = Text("END USER AGREEMENT");
    EXPECT_TRUE(text.StartsWith("END USER"));
    EXPECT_TRUE(text.StartsWith(""));
    EXPECT_FALSE(text.StartsWith("END USERS"));
    EXPECT_FALSE(Text("END USE").StartsWith("END USER"));
    EXPECT_TRUE(text == "END USER AGREEMENT");
    EXPECT_TRUE(text != "END USER");
    CString source = Text("x");
    CString moved = std::move(source);
    EXPECT_EQ("", source);
    EXPECT_EQ("x", moved);
    // A string that grew takes the room of the text it is given, not the
    // room it had.
    CString assigned;
    ASSERT_TRUE(assigned.Append("older"));
    assigned = std::move(moved);
    EXPECT_EQ("x", assigned);
    ASSERT_TRUE(assigned.Append("yz"));
    EXPECT_EQ("xyz", assigned);
    // A text moved from, by construction or by assignment, is empty and
    // takes a new text.
    for (CString* left : {&source, &moved}) {
        EXPECT_EQ(0u, left->GetLength());
        ASSERT_TRUE(left->Append("a"));
        EXPECT_EQ("a", *left);
    }
    assigned.Empty();
    EXPECT_EQ("", assigned);
}
