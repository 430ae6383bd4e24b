#include "ide/IdeSettings.h"
#include "ide/editor/BasicScheme.h"
#include "ide/editor/SchemePainter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

AnsiString Record(std::initializer_list<std::pair<int, int32_t>> values, const AnsiString& names = {})
{
    IdeSettings s;
    s.values.fill(0);
    s.Set(IdeSettings::TabWidth, 4);
    s.Set(IdeSettings::FontSize, 10);
    s.Set(IdeSettings::GutterWidth, 36);
    s.Set(IdeSettings::HelpTreeWidth, 100);
    for (auto [i, v] : values)
        s.values[static_cast<size_t>(i)] = v;
    AnsiString bytes = IdeSettingsFile::Serialise(s);
    // Serialise writes the signature and the real count; a crafted file may hold others.
    for (auto [i, v] : values)
        for (int b = 0; b < 4; ++b)
            bytes[static_cast<size_t>(i * 4 + b)] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * b)) & 0xFF);
    return bytes + names;
}

} // namespace

TEST(Settings, RoundTripThroughFile)
{
    QTemporaryDir dir;
    const AnsiString path = dir.path().toStdString() + "/Quorvatine.INI";
    IdeSettings written;
    written.values.fill(1);
    written.Set(IdeSettings::TabWidth, 6);
    written.Set(IdeSettings::FontSize, 12);
    written.Set(IdeSettings::GutterWidth, 50);
    written.Set(IdeSettings::RecentLimit, 5);
    written.Set(IdeSettings::HelpTreeWidth, 120);
    written.Set(IdeSettings::FirstAttribute, 0x123456);
    written.values[IdeSettings::FirstAttribute + 2] = 9;
    written.recentFiles = { "/a/new.bas", "/b/old.bas" };
    ASSERT_TRUE(IdeSettingsFile::Save(path, written));

    IdeSettings read;
    ASSERT_TRUE(IdeSettingsFile::Load(path, read));
    written.Set(IdeSettings::Signature, IdeSettings::SignatureValue);
    written.Set(IdeSettings::RecentCount, 2);
    EXPECT_EQ(read.values, written.values);
    EXPECT_EQ(read.recentFiles, written.recentFiles);
    EXPECT_FALSE(IdeSettingsFile::Load(path + ".missing", read));
}

TEST(Settings, CraftedFiles)
{
    IdeSettings s;
    s.Set(IdeSettings::TabWidth, 77); // marks "untouched"

    // A foreign signature or a short file changes nothing.
    EXPECT_FALSE(IdeSettingsFile::Parse(Record({ { 0, 4201 } }), s));
    EXPECT_FALSE(IdeSettingsFile::Parse(Record({ { 0, 4200 } }).substr(0, 239), s));
    EXPECT_EQ(s[IdeSettings::TabWidth], 77);

    // n = 0: options without recent files, whatever follows.
    ASSERT_TRUE(IdeSettingsFile::Parse(Record({ { 0, 4200 }, { 59, 0 } }, "/x.bas\r\n"), s));
    EXPECT_TRUE(s.recentFiles.empty());

    // n past the lines present: the lines present, empty ones skipped, LF-only accepted.
    ASSERT_TRUE(IdeSettingsFile::Parse(Record({ { 0, 4200 }, { 59, 9 } }, "/a.bas\r\n\r\n/b.bas\n"), s));
    EXPECT_EQ(s.recentFiles, (std::vector<AnsiString> { "/a.bas", "/b.bas" }));
    EXPECT_EQ(s[IdeSettings::RecentCount], 2);
    // n below the lines present: only the first n.
    ASSERT_TRUE(IdeSettingsFile::Parse(Record({ { 0, 4200 }, { 59, 1 } }, "/a.bas\r\n/b.bas\r\n"), s));
    EXPECT_EQ(s.recentFiles, (std::vector<AnsiString> { "/a.bas" }));
    ASSERT_TRUE(IdeSettingsFile::Parse(Record({ { 0, 4200 }, { 59, -5 } }, "/a.bas\r\n"), s));
    EXPECT_TRUE(s.recentFiles.empty());

    // Values out of range are brought into range.
    struct Case {
        int index;
        int32_t stored;
        int32_t applied;
    };
    const Case cases[] = {
        { IdeSettings::TabWidth, 0, 2 }, { IdeSettings::TabWidth, 1000, 12 }, { IdeSettings::RecentLimit, -3, 0 },
        { IdeSettings::RecentLimit, 99, 15 }, { IdeSettings::FontSize, 1, 6 }, { IdeSettings::FontSize, 500, 30 },
        { IdeSettings::GutterWidth, -1, 20 }, { IdeSettings::GutterWidth, 100000, 400 },
        { IdeSettings::HelpTreeWidth, 3, 10 },
        { IdeSettings::BackgroundColour, static_cast<int32_t>(0xFF00FF00), 0x00FF00 },
        { IdeSettings::FirstAttribute + 2, 0x7F, 0xF }, { IdeSettings::PrintOptions, 0xFF, 0x3F },
        { IdeSettings::EditorWidth, -50, -50 }, // geometry is checked against the screens later
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(IdeSettingsFile::Parse(Record({ { 0, 4200 }, { c.index, c.stored } }), s));
        EXPECT_EQ(s.values[static_cast<size_t>(c.index)], c.applied) << "index " << c.index;
    }
}

TEST(Settings, PainterPartRoundTrip)
{
    TsxPainter painter;
    SetupBasicScheme(painter);
    IdeSettings s;
    IdeSettingsFile::ReadFromPainter(painter, s);
    EXPECT_EQ(s[IdeSettings::FontSize], 10);
    // The "Statements" group: third word group, eighth painted class.
    const int statements = IdeSettings::FirstAttribute + 3 * 7;
    EXPECT_EQ(s.values[static_cast<size_t>(statements)], 0x000080);
    EXPECT_EQ(s.values[static_cast<size_t>(statements + 2)], FontStyle::Bold);

    s.Set(IdeSettings::FontSize, 14);
    s.Set(IdeSettings::MarginColour, 0x00AA00);
    s.values[static_cast<size_t>(statements)] = 0x0000FF;
    s.values[static_cast<size_t>(statements + 2)] = FontStyle::Italic | FontStyle::Underline;
    IdeSettingsFile::ApplyToPainter(s, painter);
    EXPECT_EQ(painter.Font().Size, 14);
    EXPECT_EQ(painter.GetColor(1), 0x00AA00u);
    const TsxWords* words = painter.FindWords("Statements");
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(words->Attr().ColorFront, 0x0000FFu);
    EXPECT_EQ(words->Attr().Style, FontStyle::Italic | FontStyle::Underline);
    IdeSettings again;
    IdeSettingsFile::ReadFromPainter(painter, again);
    for (int i = IdeSettings::FontSize; i < IdeSettings::EditorTop; ++i)
        if (i != IdeSettings::GutterWidth) {
            EXPECT_EQ(again.values[static_cast<size_t>(i)], s.values[static_cast<size_t>(i)]) << i;
        }
}
