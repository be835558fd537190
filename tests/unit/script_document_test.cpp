// The document store: line splitting, groups, entries, lookups, integers
// and the selection cursor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/ansi_text.h"
#include "script/document.h"

namespace {

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearDocument();
    ClearSelection();
  }
  void TearDown() override {
    ClearDocument();
    ClearSelection();
  }
};

TEST_F(DocumentTest, GroupAndKeyNamesIgnoreCaseAndSpaces) {
  ASSERT_EQ(ParseDocument("[Components]\r\nkey = one\r\n[ components ]\r\nKEY=two\r\n"), 2);
  EXPECT_EQ(ReadScriptValue("COMPONENTS", "Key"), "one");
  EXPECT_EQ(ReadScriptValue("  components", "key  "), "one");
  // Both lines name the same group and key, so the first one wins.
  EXPECT_EQ(SelectGroup("components"), 2);
}

TEST_F(DocumentTest, ValuesKeepInnerSpacesEqualsSignsAndCase) {
  ParseDocument("[Task]\r\nCommandLine = /a=1 /b\r\nName =  Two  Words \r\nEmpty =\r\n");
  EXPECT_EQ(ReadScriptValue("task", "commandline"), "/a=1 /b");
  EXPECT_EQ(ReadScriptValue("task", "name"), "Two  Words");
  EXPECT_EQ(ReadScriptValue("task", "empty"), "");
  EXPECT_EQ(ReadScriptValue("task", "missing"), "");
  EXPECT_EQ(ReadScriptValue("other", "name"), "");
}

TEST_F(DocumentTest, FirstDuplicateWinsAndStoreKeepsAll) {
  EXPECT_EQ(ParseDocument("[G]\r\nA = 1\r\nA = 2\r\n"), 2);
  EXPECT_EQ(ReadScriptValue("G", "A"), "1");
  // Parsing appends and reports the size of the whole store.
  EXPECT_EQ(ParseDocument("[G]\r\nA = 3\r\n"), 3);
  EXPECT_EQ(ReadScriptValue("G", "A"), "1");
}

TEST_F(DocumentTest, LinesSplitAtCarriageReturnOnly) {
  // Line feeds alone do not end lines: the whole text is one group line
  // that is not a group (it does not end in "]"), so no key is found.
  EXPECT_EQ(ParseDocument("[G]\nA = 1\nB = 2\n"), 1);
  EXPECT_EQ(ReadScriptValue("G", "A"), "");
  EXPECT_EQ(ReadScriptValue("", "[G]A"), "1B = 2");
  ClearDocument();
  // CR alone does end lines; stray LFs inside a line vanish.
  EXPECT_EQ(ParseDocument("[G]\rA = 1\rB = x\ny\r"), 2);
  EXPECT_EQ(ReadScriptValue("G", "A"), "1");
  EXPECT_EQ(ReadScriptValue("G", "B"), "xy");
}

TEST_F(DocumentTest, CommentsEmptyLinesAndLeadingText) {
  ParseDocument(
      "; comment = no\r\nTop = first\r\nbare line\r\n\r\n   \r\n[G]\r\n  ; indented comment\r\n"
      "A = 1 ; not a comment\r\n\tB = tab\r\n");
  EXPECT_EQ(ReadScriptValue("", "top"), "first");
  EXPECT_EQ(ReadScriptValue("", ""), "bare line");
  EXPECT_EQ(ReadScriptValue("", "; comment"), "");
  // Leading spaces are trimmed before the ";" test, tabs are not trimmed.
  EXPECT_EQ(ReadScriptValue("G", "; indented comment"), "");
  EXPECT_EQ(ReadScriptValue("G", "A"), "1 ; not a comment");
  EXPECT_EQ(ReadScriptValue("G", "\tB"), "tab");
  EXPECT_EQ(ReadScriptValue("G", "B"), "");
}

TEST_F(DocumentTest, GroupLines) {
  ParseDocument("[]\r\nA = empty\r\n[ Spaced Name ]\r\nB = 2\r\n[Open\r\nC = 3\r\n");
  EXPECT_EQ(ReadScriptValue("", "A"), "empty");
  EXPECT_EQ(ReadScriptValue("spaced name", "B"), "2");
  // "[Open" is no group line: it is an entry of the current group.
  EXPECT_EQ(ReadScriptValue("spaced name", ""), "[Open");
  EXPECT_EQ(ReadScriptValue("spaced name", "C"), "3");
}

TEST_F(DocumentTest, EmptyTextCountsZero) {
  EXPECT_EQ(ParseDocument(""), 0);
  ParseDocument("[G]\r\nA=1");
  EXPECT_EQ(ParseDocument(""), 0);
  EXPECT_EQ(ParseDocument("; only a comment"), 1);
  ClearDocument();
  EXPECT_EQ(ParseDocument("\r\n\r\n"), 0);
}

TEST_F(DocumentTest, Integers) {
  EXPECT_EQ(ParseScriptInteger("$1F"), 31);
  EXPECT_EQ(ParseScriptInteger("$ff"), 255);
  EXPECT_EQ(ParseScriptInteger("%101"), 5);
  EXPECT_EQ(ParseScriptInteger("%102"), 2);
  EXPECT_EQ(ParseScriptInteger("12abc"), 12);
  EXPECT_EQ(ParseScriptInteger("-1"), -1);
  EXPECT_EQ(ParseScriptInteger("+7"), 7);
  EXPECT_EQ(ParseScriptInteger("-$10"), -16);
  EXPECT_EQ(ParseScriptInteger(""), 0);
  EXPECT_EQ(ParseScriptInteger("abc"), 0);
  EXPECT_EQ(ParseScriptInteger("$"), 0);
  EXPECT_EQ(ParseScriptInteger(" \t 42"), 42);
  EXPECT_EQ(ParseScriptInteger("- 5"), 0);
  EXPECT_EQ(ParseScriptInteger("4294967295"), 4294967295LL);
  EXPECT_EQ(static_cast<int32_t>(static_cast<uint32_t>(ParseScriptInteger("4294967295"))), -1);
  // Far too many digits wrap rather than fault.
  ParseScriptInteger(std::string(500, '9'));
  ParseDocument("[G]\r\nN = $1F\r\nE =\r\n");
  EXPECT_EQ(ReadScriptInteger("g", "n"), 31);
  EXPECT_EQ(ReadScriptInteger("g", "e"), 0);
  EXPECT_EQ(ReadScriptInteger("g", "missing"), 0);
}

TEST_F(DocumentTest, SelectionAppendsAndCursorWraps) {
  ParseDocument("[A]\r\nk1 = v1\r\nk2 = v2\r\n[B]\r\nk3 = v3\r\n[a]\r\nk4 = v4\r\n");
  EXPECT_EQ(SelectGroup("a"), 3);
  EXPECT_EQ(SelectGroup("B"), 4);
  const char *keys[] = {"k1", "k2", "k4", "k3"};
  for (int pass = 0; pass < 2; ++pass) {
    for (const char *key : keys) {
      ASSERT_TRUE(NextSelected());
      EXPECT_EQ(SelectedKey(), key);
    }
    EXPECT_FALSE(NextSelected());
    EXPECT_EQ(SelectedKey(), "");
  }
  ASSERT_TRUE(NextSelected());
  EXPECT_EQ(SelectedValue(), "v1");
  ClearSelection();
  EXPECT_FALSE(NextSelected());
  EXPECT_EQ(SelectedValue(), "");
  EXPECT_EQ(SelectGroup("none"), 0);
}

TEST_F(DocumentTest, NamesLowerAsWesternCodePage) {
  EXPECT_EQ(NormalizeName("  MiXeD Name  "), "mixed name");
  // Latin-1 capitals, the caron and ligature letters, Y diaeresis.
  EXPECT_EQ(AnsiLower("\xC0\xC9\xD6\xDE\x8A\x8C\x8E\x9F"), "\xE0\xE9\xF6\xFE\x9A\x9C\x9E\xFF");
  // The multiplication sign, sharp s and the lower forms stay as they are.
  EXPECT_EQ(AnsiLower("\xD7\xDF\xE0\xFF\x9A\x80"), "\xD7\xDF\xE0\xFF\x9A\x80");
  for (int c = 0; c < 256; ++c) {
    const unsigned char lower = AnsiLowerChar(static_cast<unsigned char>(c));
    EXPECT_EQ(AnsiLowerChar(lower), lower) << c;
  }
  ParseDocument("[\xC4NDERUNG]\r\n\xDC = 1\r\n");
  EXPECT_EQ(ReadScriptValue("\xE4nderung", "\xFC"), "1");
}

TEST(AnsiTextTest, ReplaceIgnoringCase) {
  EXPECT_EQ(ReplaceIgnoringCase("a$P b$p c", "$P", "x"), "ax bx c");
  EXPECT_EQ(ReplaceIgnoringCase("$P", "$p", "$P$P"), "$P$P");
  EXPECT_EQ(ReplaceIgnoringCase("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceIgnoringCase("", "a", "x"), "");
  EXPECT_EQ(FindIgnoringCase("abc", "C", 3), std::string::npos);
  EXPECT_EQ(FindIgnoringCase("abc", "C", 99), std::string::npos);
  EXPECT_EQ(TrimSpaces("  \ta b\t  "), "\ta b\t");
  EXPECT_EQ(TrimSpaces("    "), "");
}

}  // namespace

// The indexed store answers as a plain scan of the text does: the first
// entry whose group and key match ignoring case and surrounding spaces;
// groups repeated across the text and across documents merge.
TEST_F(DocumentTest, IndexedLookupsMatchAPlainScanOfTheText) {
  struct Plain {
    std::string group, key, value;
  };
  std::vector<Plain> plain;
  const char *names[] = {"A", "a ", " B", "b", "\xC4", "\xE4", "", "Key", "KEY", "k\xE9y"};
  uint32_t state = 12345;
  for (int document = 0; document < 3; ++document) {
    std::string text, group;
    for (int line = 0; line < 400; ++line) {
      state = state * 1103515245u + 12345u;
      std::string name = names[(state >> 16) % 10];
      if ((state >> 8) % 8 == 0) {
        group = name;
        text += "[" + group + "]\r\n";
      } else {
        std::string value = "v" + std::to_string(document * 1000 + line);
        plain.push_back({NormalizeName(group), NormalizeName(name), value});
        text += "  " + name + " =" + plain.back().value + "\r\n";
      }
    }
    ParseDocument(text);
  }
  for (const char *group : names) {
    ClearSelection();
    SelectGroup(group);
    for (const Plain &entry : plain) {
      if (entry.group != NormalizeName(group)) continue;
      ASSERT_TRUE(NextSelected());
      EXPECT_EQ(SelectedValue(), entry.value);
    }
    EXPECT_FALSE(NextSelected());
    for (const char *key : names) {
      std::string expected;
      for (size_t i = plain.size(); i-- > 0;)
        if (plain[i].group == NormalizeName(group) && plain[i].key == NormalizeName(key))
          expected = plain[i].value;
      EXPECT_EQ(ReadScriptValue(group, key), expected) << "[" << group << "] " << key;
    }
  }
  // Clearing the store drops the selection that names its entries.
  SelectGroup("a");
  ClearDocument();
  EXPECT_FALSE(NextSelected());
}
