#include "platform/RtfReader.h"
#include "platform/gui/RtfDocument.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The sink's calls as one text: a run's format in brackets when it is not the
// default ("b", "i", "u", "s", "f=Name", "fs=N" half points, "cf=RRGGBB",
// "cb=RRGGBB"), then the text in UTF-8; "|P" ends a paragraph, "|L" breaks a
// line.
class DumpSink : public rtf::Sink {
public:
    std::string dump;
    void Text(std::u32string_view text, const rtf::CharFormat& f) override
    {
        std::string flags;
        auto add = [&](const std::string& flag) { flags += (flags.empty() ? "" : " ") + flag; };
        if (f.bold) add("b");
        if (f.italic) add("i");
        if (f.underline) add("u");
        if (f.strikeOut) add("s");
        if (!f.fontName.empty()) add("f=" + f.fontName);
        if (f.halfPoints != 24) add("fs=" + std::to_string(f.halfPoints));
        if (f.foreground != rtf::NoColour) add("cf=" + Hex(f.foreground));
        if (f.background != rtf::NoColour) add("cb=" + Hex(f.background));
        if (!flags.empty()) dump += "[" + flags + "]";
        for (char32_t c : text)
            Utf8(c);
    }
    void ParagraphEnd() override { dump += "|P"; }
    void LineBreak() override { dump += "|L"; }

private:
    static std::string Hex(int32_t colour)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour));
        return text;
    }
    void Utf8(char32_t c)
    {
        if (c < 0x80) {
            dump += static_cast<char>(c);
        } else if (c < 0x800) {
            dump += static_cast<char>(0xC0 | (c >> 6));
            dump += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            dump += static_cast<char>(0xE0 | (c >> 12));
            dump += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            dump += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            dump += static_cast<char>(0xF0 | (c >> 18));
            dump += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            dump += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            dump += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
};

std::string Dump(const std::string& input)
{
    DumpSink sink;
    rtf::Parse(input, sink);
    return sink.dump;
}

struct Case {
    const char* name;
    std::string input;
    std::string expected;
};

TEST(RtfReader, ReadsTextAndFormats)
{
    const std::string tables = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier "
                               "New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
    const Case cases[] = {
        { "paragraphs, lines and tabs", "{\\rtf1 one\\par two\\line three\\tab four}", "one|Ptwo|Lthree\tfour" },
        { "character styles and their ends", "{\\rtf1 a\\b b\\b0 c\\i i\\i0\\ul u\\ulnone\\strike s\\strike0 e}",
            "a[b]bc[i]i[u]u[s]se" },
        { "groups keep their format", "{\\rtf1 a{\\b b{\\i c}d}e}", "a[b]b[b i]c[b]de" },
        { "plain resets the characters, pard keeps them", "{\\rtf1\\b\\i x\\pard y\\plain z}", "[b i]xyz" },
        { "fonts, sizes and colours", tables + "\\f1\\fs20 a\\cf1 b\\cb2 c\\highlight0\\cf0\\f0 d}",
            "[f=Courier New fs=20]a[f=Courier New fs=20 cf=FF0000]b[f=Courier New fs=20 cf=FF0000 cb=0000FF]c[f=Arial "
            "fs=20]d" },
        { "escapes", "{\\rtf1 \\\\ \\{\\} a\\~b \\'95 \\'e9\\'80}", "\\ {} a\u00A0b \u2022 \u00E9\u20AC" },
        { "unicode with its replacement", "{\\rtf1 \\u233?x\\uc2\\u8364\\'80\\'80y\\uc0\\u-10179\\u-8704 z}",
            "\u00E9x\u20ACy\U0001F600z" },
        { "skipped destinations",
            "{\\rtf1 {\\*\\unknown hidden}{\\pict 0a0b}{\\info{\\title t}}{\\stylesheet{s;}}shown}", "shown" },
        { "plain text when it is no rtf", "line one\r\nline \x95two\rthree\n", "line one|Pline \u2022two|Pthree|P" },
        { "a control word ends after 32 letters", "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghij x}", "ghij x" },
        { "huge numbers are clamped", "{\\rtf1\\fs99999999999999999999 a\\cf-99999999999999 b}", "[fs=3276]ab" },
        { "binary data is skipped", "{\\rtf1 a\\bin3 {}}c}", "ac" },
        { "binary data past the end", "{\\rtf1 a\\bin999 xyz", "a" },
        { "a stray brace is ignored, open groups close", "{\\rtf1 a}}b{\\b c", "ab[b]c" },
        { "a broken hex escape shows nothing", "{\\rtf1 a\\'g1b\\'", "ag1b" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Dump(c.input), c.expected) << c.name;
}

TEST(RtfReader, DeepNestingIsReadFlat)
{
    std::string deep = "{\\rtf1 ";
    for (int k = 0; k < 100000; ++k)
        deep += "{\\b ";
    deep += "x";
    for (int k = 0; k < 100000; ++k)
        deep += "}";
    deep += "y}";
    EXPECT_EQ(Dump(deep), "[b]xy");
}

TEST(RtfReader, LoadsAFileIntoADocument)
{
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "/doc.rtf";
    std::ofstream(path, std::ios::binary) << "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}first\\par\\b\\cf1 "
                                             "second\\b0  line}";
    QTextDocument document;
    ASSERT_TRUE(rtf::LoadFile(path, document));
    EXPECT_EQ(document.toPlainText().toStdString(), "first\nsecond line");
    const QTextBlock second = document.findBlockByNumber(1);
    const QTextCharFormat bold = second.begin().fragment().charFormat();
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_EQ(bold.foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(second.begin().fragment().text().toStdString(), "second");

    EXPECT_FALSE(rtf::LoadFile(folder.path().toStdString() + "/missing.rtf", document));
    EXPECT_FALSE(rtf::LoadFile(folder.path().toStdString(), document));
    // A file past the bound counts as missing (sparse: it costs no disk).
    const std::string huge = folder.path().toStdString() + "/huge.rtf";
    std::ofstream(huge, std::ios::binary) << "{\\rtf1 big}";
    std::filesystem::resize_file(huge, rtf::MaxFileSize + 1);
    EXPECT_FALSE(rtf::LoadFile(huge, document));
    EXPECT_EQ(document.toPlainText().toStdString(), "first\nsecond line");
}

} // namespace
