#include "FormDesc.h"
#include "FormDescError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

TFormDescription Parse(const std::string& text) { return ParseFormDescription(text, "TestForm"); }

const TFormValue& ValueOf(const TFormObject& o, const std::string& path) {
    const TFormProperty* p = o.FindProperty(path);
    if (!p) throw std::runtime_error("no property " + path);
    return p->Value;
}

TEST(FormDescParser, ReadsEveryKindOfValue) {
    const std::string text =
        "Form1: TForm1\n"
        "  Left = 12\n"
        "  Top = -11\n"
        "  Color = $00DEEBEF\n"
        "  Tag = -$10\n"
        "  Big = 9223372036854775807\n"
        "  Small = -9223372036854775808\n"
        "  Caption = \"Say \\\"hi\\\" \\\\ now\"\n"
        "  Hint = \"a\\tb\\r\\nc\\x00\\x7F\\xff\"\n"
        "  Empty = \"\"\n"
        "  Align = alClient\n"
        "  Anchors = [akTop, akRight]\n"
        "  Style = []\n"
        "  Lines.Strings = (\n"
        "    \"first line\"\n"
        "    \"\"\n"
        "    \"third\")\n"
        "  Pages = (Page1 Page2)\n"
        "  Mixed = (1 \"two\" three)\n"
        "  Nothing = ()\n"
        "  SkinData = {\n"
        "    00 01 7f\n"
        "    FFab}\n"
        "  NoBytes = {}\n"
        "  Font.Style = [fsBold]\n"
        "end\n";
    TFormDescription d = Parse(text);
    const TFormObject& f = *d.Root;
    EXPECT_EQ(d.FormName, "TestForm");
    EXPECT_EQ(f.Name, "Form1");
    EXPECT_EQ(f.ClassName, "TForm1");

    struct IntCase { const char* path; std::int64_t value; };
    for (IntCase c : {IntCase{"Left", 12}, {"Top", -11}, {"Color", 0x00DEEBEF}, {"Tag", -16},
                      {"Big", std::numeric_limits<std::int64_t>::max()},
                      {"Small", std::numeric_limits<std::int64_t>::min()}}) {
        const TFormValue& v = ValueOf(f, c.path);
        EXPECT_EQ(v.Kind, TFormValueKind::Integer) << c.path;
        EXPECT_EQ(v.Integer, c.value) << c.path;
    }

    EXPECT_EQ(ValueOf(f, "Caption").Kind, TFormValueKind::String);
    EXPECT_EQ(ValueOf(f, "Caption").Text, "Say \"hi\" \\ now");
    EXPECT_EQ(ValueOf(f, "Hint").Text, std::string("a\tb\r\nc\0\x7F\xFF", 9));
    EXPECT_EQ(ValueOf(f, "Empty").Kind, TFormValueKind::String);
    EXPECT_EQ(ValueOf(f, "Empty").Text, "");

    EXPECT_EQ(ValueOf(f, "Align").Kind, TFormValueKind::Identifier);
    EXPECT_EQ(ValueOf(f, "Align").Text, "alClient");

    EXPECT_EQ(ValueOf(f, "Anchors").Kind, TFormValueKind::Set);
    EXPECT_EQ(ValueOf(f, "Anchors").Names, (std::vector<std::string>{"akTop", "akRight"}));
    EXPECT_EQ(ValueOf(f, "Style").Kind, TFormValueKind::Set);
    EXPECT_TRUE(ValueOf(f, "Style").Names.empty());

    const TFormValue& lines = ValueOf(f, "Lines.Strings");
    ASSERT_EQ(lines.Kind, TFormValueKind::List);
    ASSERT_EQ(lines.Elements.size(), 3u);
    EXPECT_EQ(lines.Elements[0].Text, "first line");
    EXPECT_EQ(lines.Elements[1].Text, "");
    EXPECT_EQ(lines.Elements[2].Text, "third");
    for (const auto& e : lines.Elements) EXPECT_EQ(e.Kind, TFormValueKind::String);

    const TFormValue& pages = ValueOf(f, "Pages");
    ASSERT_EQ(pages.Elements.size(), 2u);
    EXPECT_EQ(pages.Elements[1].Kind, TFormValueKind::Identifier);
    EXPECT_EQ(pages.Elements[1].Text, "Page2");

    const TFormValue& mixed = ValueOf(f, "Mixed");
    ASSERT_EQ(mixed.Elements.size(), 3u);
    EXPECT_EQ(mixed.Elements[0].Kind, TFormValueKind::Integer);
    EXPECT_EQ(mixed.Elements[1].Kind, TFormValueKind::String);
    EXPECT_EQ(mixed.Elements[2].Kind, TFormValueKind::Identifier);

    EXPECT_EQ(ValueOf(f, "Nothing").Kind, TFormValueKind::List);
    EXPECT_TRUE(ValueOf(f, "Nothing").Elements.empty());

    EXPECT_EQ(ValueOf(f, "SkinData").Kind, TFormValueKind::Binary);
    EXPECT_EQ(ValueOf(f, "SkinData").Bytes, (std::vector<std::uint8_t>{0x00, 0x01, 0x7F, 0xFF, 0xAB}));
    EXPECT_EQ(ValueOf(f, "NoBytes").Kind, TFormValueKind::Binary);
    EXPECT_TRUE(ValueOf(f, "NoBytes").Bytes.empty());

    const TFormProperty* style = f.FindProperty("Font.Style");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->Path, (std::vector<std::string>{"Font", "Style"}));

    // Stored order is kept.
    std::vector<std::string> order;
    for (const auto& p : f.Properties) order.push_back(p.Name);
    EXPECT_EQ(order.front(), "Left");
    EXPECT_EQ(order[6], "Caption");
    EXPECT_EQ(order.back(), "Font.Style");
}

TEST(FormDescParser, ReadsLongBinaryBlocks) {
    // A whole embedded theme file is tens of kilobytes, written as hex lines.
    std::vector<std::uint8_t> bytes(46957);
    std::uint32_t x = 12345;
    for (auto& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = std::uint8_t(x >> 24);
    }
    static const char hex[] = "0123456789ABCDEF";
    std::string text = "Theme: TskBuiltInFileTheme\n  SkinData = {";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) text += "\n    ";
        text += hex[bytes[i] >> 4];
        text += hex[bytes[i] & 15];
    }
    text += "}\n  Left = 1\nend\n";
    TFormDescription d = Parse(text);
    EXPECT_EQ(ValueOf(*d.Root, "SkinData").Bytes, bytes);
    // Line counting goes on through the block.
    EXPECT_EQ(d.Root->FindProperty("Left")->Position.Line, 3 + int((bytes.size() + 31) / 32));
}

TEST(FormDescParser, KeepsSingleByteTextAsWritten) {
    // ANSI text beyond ASCII is taken byte for byte, not as UTF-8.
    TFormDescription d = Parse("F: TF\n Caption = \"Gr\xFC\xDF" "e \xA9\"\nend");
    EXPECT_EQ(ValueOf(*d.Root, "Caption").Text, "Gr\xFC\xDF" "e \xA9");
}

TEST(FormDescParser, ReadsCollectionsWithTheirItems) {
    TFormDescription d = Parse(
        "F: TF\n"
        "  Buttons = (\n"
        "    item\n"
        "      Kind = tbkClose\n"
        "      Visible = True\n"
        "      Top = 5\n"
        "    end\n"
        "    item\n"
        "    end\n"
        "    item\n"
        "      Hint = \"x\"\n"
        "      Sections = (item Width = 35 end)\n"
        "    end)\n"
        "end");
    const TFormValue& v = ValueOf(*d.Root, "Buttons");
    ASSERT_EQ(v.Kind, TFormValueKind::Collection);
    ASSERT_EQ(v.Items.size(), 3u);
    ASSERT_EQ(v.Items[0].Properties.size(), 3u);
    EXPECT_EQ(v.Items[0].Properties[0].Name, "Kind");
    EXPECT_EQ(v.Items[0].Properties[0].Value.Text, "tbkClose");
    EXPECT_EQ(v.Items[0].Properties[2].Value.Integer, 5);
    EXPECT_EQ(v.Items[0].Position.Line, 3);
    EXPECT_TRUE(v.Items[1].Properties.empty());
    const TFormValue& inner = v.Items[2].Properties[1].Value;
    ASSERT_EQ(inner.Kind, TFormValueKind::Collection);
    ASSERT_EQ(inner.Items.size(), 1u);
    EXPECT_EQ(inner.Items[0].Properties[0].Value.Integer, 35);
}

TEST(FormDescParser, BuildsTheObjectTree) {
    TFormDescription d = Parse(
        "// the form\n"
        "MainForm: TMainForm\n"
        "  Caption = \"Main\"\n"
        "  Pages: TPageControl\n"
        "    Align = alClient\n"
        "    Sheet1: TTabSheet\n"
        "      Caption = \"One\" // trailing comment\n"
        "      Edit1: TEdit\n"
        "      end\n"
        "    end\n"
        "    Sheet2: TTabSheet\n"
        "    end\n"
        "  end\n"
        "  Timer: TTimer\n"
        "    Interval = 300\n"
        "  end\n"
        "end\n"
        "// nothing after the form but comments\n");
    const TFormObject& f = *d.Root;
    EXPECT_EQ(f.Parent, nullptr);
    ASSERT_EQ(f.Children.size(), 2u);
    const TFormObject& pages = *f.Children[0];
    EXPECT_EQ(pages.Name, "Pages");
    EXPECT_EQ(pages.ClassName, "TPageControl");
    EXPECT_EQ(pages.Parent, &f);
    ASSERT_EQ(pages.Children.size(), 2u);
    EXPECT_EQ(pages.Children[0]->Name, "Sheet1");
    EXPECT_EQ(pages.Children[1]->Name, "Sheet2");
    EXPECT_EQ(pages.Children[0]->Children[0]->Parent, pages.Children[0].get());
    EXPECT_EQ(f.Children[1]->Name, "Timer");
    EXPECT_EQ(pages.Position.Line, 4);
    EXPECT_EQ(pages.Position.Column, 3);
    EXPECT_EQ(pages.Children[0]->Properties[0].Position.Line, 7);
    EXPECT_EQ(pages.Children[0]->Properties[0].Position.Column, 7);
    EXPECT_EQ(pages.Children[0]->Properties[0].Value.Position.Column, 17);

    // Names are found anywhere in the tree, in any letter case.
    EXPECT_EQ(d.FindObject("edit1"), pages.Children[0]->Children[0].get());
    EXPECT_EQ(d.FindObject("MAINFORM"), &f);
    EXPECT_EQ(d.FindObject("Nope"), nullptr);
}

TEST(FormDescParser, CountsLinesOfCrLfTextAndBinaryBlocks) {
    TFormDescription d = Parse("F: TF\r\n  Data = {00\r\n11\r\n}\r\n  Left = 1\r\nend\r\n");
    EXPECT_EQ(ValueOf(*d.Root, "Data").Bytes, (std::vector<std::uint8_t>{0x00, 0x11}));
    EXPECT_EQ(d.Root->FindProperty("Left")->Position.Line, 5);
    EXPECT_EQ(d.Root->FindProperty("Left")->Position.Column, 3);
}

struct ErrorCase {
    const char* text;
    const char* detail;
    int line;
    int column;
    const char* object;
    const char* property;
};

class FormDescSyntaxError : public testing::TestWithParam<ErrorCase> {};

TEST_P(FormDescSyntaxError, NamesThePlaceAndTheFault) {
    const ErrorCase& c = GetParam();
    try {
        Parse(c.text);
        FAIL() << "no error for: " << c.text;
    } catch (const EFormDescError& e) {
        EXPECT_EQ(e.Detail(), c.detail) << c.text;
        EXPECT_EQ(e.Line(), c.line) << c.text;
        EXPECT_EQ(e.Column(), c.column) << c.text;
        EXPECT_EQ(e.ObjectName(), c.object) << c.text;
        EXPECT_EQ(e.PropertyName(), c.property) << c.text;
        EXPECT_EQ(e.FormName(), "TestForm");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FormDescSyntaxError,
    testing::Values(
        ErrorCase{"", "Expected the form's header (Name: TClass)", 1, 1, "", ""},
        ErrorCase{"// only a comment\n", "Expected the form's header (Name: TClass)", 2, 1, "", ""},
        ErrorCase{"F TF\nend", "Expected ':' after the object name", 1, 3, "F", ""},
        ErrorCase{"F: 12\nend", "Expected a class name", 1, 4, "F", ""},
        ErrorCase{"end: TF\nend", "Reserved word 'end' cannot be an object name", 1, 1, "", ""},
        ErrorCase{"F: TF\n  Left = 1\n", "Missing 'end' of object F", 3, 1, "F", ""},
        ErrorCase{"F: TF\nend\nG: TG\nend", "Expected end of text after the form", 3, 1, "", ""},
        ErrorCase{"F: TF\n  12 = 3\nend", "Expected a property, an object or 'end'", 2, 3, "F", ""},
        ErrorCase{"F: TF\n  Left 3\nend", "Expected '=' after the property name", 2, 8, "F", "Left"},
        ErrorCase{"F: TF\n  Font. = 3\nend", "Expected a property name", 2, 9, "F", ""},
        ErrorCase{"F: TF\n  Left =\nend", "Reserved word 'end' cannot be a value", 3, 1, "F", "Left"},
        ErrorCase{"F: TF\n  Left = ,\nend", "Expected a value", 2, 10, "F", "Left"},
        ErrorCase{"F: TF\n  Left = 1\n  Left = 2\nend", "Duplicate property Left", 3, 3, "F", "Left"},
        ErrorCase{"F: TF\n  Font.Name = \"a\"\n  font.name = \"b\"\nend", "Duplicate property font.name", 3, 3, "F",
                  "font.name"},
        ErrorCase{"F: TF\n  B: TB\n  end\n  Left = 1\nend",
                  "Property after a child object (write the properties first)", 4, 3, "F", ""},
        ErrorCase{"F: TF\n  B: TB\n  end\n  b: TB\n  end\nend", "Duplicate object name b", 4, 3, "b", ""},
        ErrorCase{"F: TF\n  A = 12x\nend", "Invalid number", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = 9223372036854775808\nend", "Integer out of range", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = -9223372036854775809\nend", "Integer out of range", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = $10000000000000000\nend", "Integer out of range", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = $\nend", "Expected hex digits after '$'", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = - 1\nend", "Expected a number after '-'", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = \"abc\nend", "Unterminated string", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = \"abc\\", "Unterminated string", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = \"a\\qb\"\nend", "Invalid escape sequence \\ followed by 'q'", 2, 9, "F", "A"},
        ErrorCase{"F: TF\n  A = \"a\\x4g\"\nend", "Expected two hex digits after \\x", 2, 9, "F", "A"},
        ErrorCase{"F: TF\n  A = \"a\tb\"\nend", "Control character $09 in string (write it as \\xHH)", 2, 9, "F",
                  "A"},
        ErrorCase{"F: TF\n  A = {0A 1}\nend", "Odd number of hex digits in binary data", 2, 11, "F", "A"},
        ErrorCase{"F: TF\n  A = {0A\n  zz}\nend", "Invalid character 'z' in binary data", 3, 3, "F", "A"},
        ErrorCase{"F: TF\n  A = {0A\n", "Unterminated binary data", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = [x y]\nend", "Expected ',' or ']' in the set", 2, 10, "F", "A"},
        ErrorCase{"F: TF\n  A = [x, 1]\nend", "Expected a name in the set", 2, 11, "F", "A"},
        ErrorCase{"F: TF\n  A = [x, X]\nend", "Duplicate set element X", 2, 11, "F", "A"},
        ErrorCase{"F: TF\n  A = (\"a\" [x])\nend", "Expected a number, a string or a name in the list", 2, 12, "F",
                  "A"},
        ErrorCase{"F: TF\n  A = (\"a\"\n", "Missing ')' of the list", 2, 7, "F", "A"},
        ErrorCase{"F: TF\n  A = (\"a\" item end)\nend", "Collection items cannot be mixed with other values", 2, 12,
                  "F", "A"},
        ErrorCase{"F: TF\n  A = (item X = 1 end \"b\")\nend", "Expected 'item' or ')' in the collection", 2, 23, "F",
                  "A"},
        ErrorCase{"F: TF\n  A = (item\n    X = 1\n    X = 2\n  end)\nend", "Duplicate property X", 4, 5, "F",
                  "A[0].X"},
        ErrorCase{"F: TF\n  A = (item end item\n    Y = 1\n    B: TB\n  end)\nend",
                  "Expected '=' after the property name", 4, 6, "F", "A[1].B"},
        ErrorCase{"F: TF\n  A = (item\n    X = 1\n", "Missing 'end' of the item", 2, 8, "F", "A"},
        ErrorCase{"F: TF\n  A = 1 ; B = 2\nend", "Unexpected character ';'", 2, 9, "F", ""},
        ErrorCase{"F: TF\n  A = 1\n\x01\nend", "Unexpected character $01", 3, 1, "F", ""}),
    [](const testing::TestParamInfo<ErrorCase>& i) { return "Case" + std::to_string(i.index); });

TEST(FormDescParser, RefusesNestingBeyondItsBound) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += 'O';
            text += std::to_string(i);
            text += ": T\n";
        }
        for (int i = 0; i < depth; ++i) text += "end\n";
        return text;
    };
    EXPECT_NO_THROW(Parse(nested(32)));
    try {
        Parse(nested(33));
        FAIL();
    } catch (const EFormDescError& e) {
        EXPECT_EQ(e.Detail(), "Nesting too deep");
        EXPECT_EQ(e.Line(), 33);
    }

    // Collections inside collections count towards the same bound.
    std::string items = "F: TF\n A = ";
    for (int i = 0; i < 40; ++i) items += "(item X = ";
    items += "1";
    for (int i = 0; i < 40; ++i) items += " end)";
    items += "\nend";
    EXPECT_THROW(Parse(items), EFormDescError);
}

TEST(FormDescParser, RefusesOversizedInput) {
    auto detailOf = [](const std::string& text) {
        try {
            Parse(text);
        } catch (const EFormDescError& e) {
            return e.Detail();
        }
        return std::string("no error");
    };
    EXPECT_EQ(detailOf("F: TF\n A = \"" + std::string((1u << 20) + 1, 'x') + "\"\nend"), "String too long");
    EXPECT_EQ(detailOf("F: TF\n " + std::string(256, 'a') + " = 1\nend"), "Name too long");
    EXPECT_EQ(detailOf("F: TF\n " + std::string(255, 'a') + " = 1\nend"), "no error");
    EXPECT_EQ(detailOf(std::string(9u << 20, ' ')), "Description too large (more than 8388608 bytes)");

    std::string many = "F: TF\n A = (";
    for (int i = 0; i < 300000; ++i) many += "1 ";
    many += ")\nend";
    EXPECT_EQ(detailOf(many), "Too many objects and values");
}

TEST(FormDescParser, MessageNamesFormObjectPropertyAndLine) {
    try {
        Parse("F: TF\n  Btn: TButton\n    Caption = \"x\n  end\nend");
        FAIL();
    } catch (const EFormDescError& e) {
        EXPECT_STREQ(e.what(), "Error in form TestForm, object Btn, property Caption at line 3, column 15: "
                               "Unterminated string");
    }
    try {
        Parse("");
        FAIL();
    } catch (const EFormDescError& e) {
        EXPECT_STREQ(e.what(), "Error in form TestForm at line 1, column 1: Expected the form's header (Name: TClass)");
    }
}

}  // namespace
