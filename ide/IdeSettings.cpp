#include "ide/IdeSettings.h"

#include "ide/editor/BasicScheme.h"
#include "ide/editor/SchemePainter.h"
#include "interpreter/ProgramFiles.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace IdeSettingsFile {

namespace {

int32_t ReadInt(const AnsiString& bytes, int index)
{
    uint32_t v = 0;
    for (int b = 3; b >= 0; --b)
        v = (v << 8) | static_cast<uint8_t>(bytes[static_cast<size_t>(index * 4 + b)]);
    return static_cast<int32_t>(v);
}

void WriteInt(AnsiString& bytes, int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    for (int b = 0; b < 4; ++b)
        bytes += static_cast<char>((v >> (8 * b)) & 0xFF);
}

// What each value may hold; anything else would give the editor sizes it
// cannot draw or colours and styles outside their bits.
struct Range {
    int first;
    int last;
    int32_t low;
    int32_t high;
};
constexpr Range Ranges[] = {
    { IdeSettings::TabWidth, IdeSettings::TabWidth, 2, 12 },
    { IdeSettings::RecentLimit, IdeSettings::RecentLimit, 0, 15 },
    { IdeSettings::FontSize, IdeSettings::FontSize, 6, 30 },
    { IdeSettings::GutterWidth, IdeSettings::GutterWidth, 20, 400 },
    { IdeSettings::HelpTreeWidth, IdeSettings::HelpTreeWidth, 10, 1 << 20 },
};

bool IsColourIndex(int i)
{
    if (i >= IdeSettings::MarginColour && i < IdeSettings::FirstAttribute) return true;
    return i >= IdeSettings::FirstAttribute && i < IdeSettings::EditorTop && (i - IdeSettings::FirstAttribute) % 3 != 2;
}

bool IsStyleIndex(int i)
{
    return i >= IdeSettings::FirstAttribute && i < IdeSettings::EditorTop && (i - IdeSettings::FirstAttribute) % 3 == 2;
}

// The attribute of painted class k: comments, identifiers, numbers, strings,
// symbols, then the five word groups.
TsxPaintAttr AttributeValue(const TsxPainter& painter, int k)
{
    switch (k) {
    case 0:
        return painter.Comments;
    case 1:
        return painter.Identifiers;
    case 2:
        return painter.Numbers;
    case 3:
        return painter.Strings;
    case 4:
        return painter.Symbols;
    default:
        if (const TsxWords* words = painter.FindWords(BasicWordGroups[k - 5])) return words->Attr();
        return TsxPaintAttr();
    }
}

} // namespace

bool Parse(const AnsiString& bytes, IdeSettings& settings)
{
    if (bytes.size() < static_cast<size_t>(IdeSettings::RecordBytes)) return false;
    if (ReadInt(bytes, IdeSettings::Signature) != IdeSettings::SignatureValue) return false;
    IdeSettings read;
    for (int i = 0; i < IdeSettings::Count; ++i)
        read.values[static_cast<size_t>(i)] = ReadInt(bytes, i);
    for (const Range& r : Ranges)
        for (int i = r.first; i <= r.last; ++i)
            read.values[static_cast<size_t>(i)] = std::clamp(read.values[static_cast<size_t>(i)], r.low, r.high);
    for (int i = 0; i < IdeSettings::Count; ++i) {
        int32_t& v = read.values[static_cast<size_t>(i)];
        if (IsColourIndex(i)) v &= 0xFFFFFF;
        if (IsStyleIndex(i)) v &= 0xF;
    }
    read.values[IdeSettings::PrintOptions] &= 0x3F;

    // The names after the record, as many as announced and present; empty
    // lines are no file names.
    AnsiString rest = ProgramFiles::NormaliseLineEnds(bytes.substr(IdeSettings::RecordBytes));
    const int announced = std::max(0, read.values[IdeSettings::RecentCount]);
    size_t at = 0;
    while (static_cast<int>(read.recentFiles.size()) < announced && at < rest.size()) {
        size_t end = rest.find("\r\n", at);
        if (end == AnsiString::npos) end = rest.size();
        AnsiString line = rest.substr(at, end - at);
        if (!line.empty()) read.recentFiles.push_back(line);
        at = end + 2;
    }
    read.values[IdeSettings::RecentCount] = static_cast<int32_t>(read.recentFiles.size());
    settings = read;
    return true;
}

AnsiString Serialise(const IdeSettings& settings)
{
    AnsiString bytes;
    bytes.reserve(IdeSettings::RecordBytes + 64 * settings.recentFiles.size());
    IdeSettings copy = settings;
    copy.values[IdeSettings::Signature] = IdeSettings::SignatureValue;
    copy.values[IdeSettings::RecentCount] = static_cast<int32_t>(settings.recentFiles.size());
    for (int32_t v : copy.values)
        WriteInt(bytes, v);
    for (const AnsiString& name : settings.recentFiles)
        bytes += name + "\r\n";
    return bytes;
}

bool Load(const AnsiString& path, IdeSettings& settings)
{
    AnsiString bytes;
    if (ProgramFiles::ReadBytes(path, bytes) != ProgramFiles::ReadResult::Ok) return false;
    return Parse(bytes, settings);
}

bool Save(const AnsiString& path, const IdeSettings& settings)
{
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const AnsiString bytes = Serialise(settings);
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void ReadFromPainter(const TsxPainter& painter, IdeSettings& settings)
{
    settings.Set(IdeSettings::FontSize, painter.Font().Size);
    settings.Set(IdeSettings::MarginColour, static_cast<int32_t>(painter.GetColor(1)));
    settings.Set(IdeSettings::BackgroundColour, static_cast<int32_t>(painter.GetColor(0)));
    settings.Set(IdeSettings::SelectionBackColour, static_cast<int32_t>(painter.GetColor(2)));
    settings.Set(IdeSettings::SelectionTextColour, static_cast<int32_t>(painter.GetColor(3)));
    for (int k = 0; k < IdeSettings::AttributeClasses; ++k) {
        const TsxPaintAttr a = AttributeValue(painter, k);
        const int base = IdeSettings::FirstAttribute + 3 * k;
        settings.values[static_cast<size_t>(base)] = static_cast<int32_t>(a.ColorFront & 0xFFFFFF);
        settings.values[static_cast<size_t>(base + 1)] = static_cast<int32_t>(a.ColorBack & 0xFFFFFF);
        settings.values[static_cast<size_t>(base + 2)] = a.Style & 0xF;
    }
}

void ApplyToPainter(const IdeSettings& settings, TsxPainter& painter)
{
    painter.BeginUpdate();
    TFontInfo font = painter.Font();
    font.Size = settings[IdeSettings::FontSize];
    painter.SetFont(font);
    painter.SetColor(1, static_cast<TColor>(settings[IdeSettings::MarginColour]));
    painter.SetColor(0, static_cast<TColor>(settings[IdeSettings::BackgroundColour]));
    painter.SetColor(2, static_cast<TColor>(settings[IdeSettings::SelectionBackColour]));
    painter.SetColor(3, static_cast<TColor>(settings[IdeSettings::SelectionTextColour]));
    for (int k = 0; k < IdeSettings::AttributeClasses; ++k) {
        const int base = IdeSettings::FirstAttribute + 3 * k;
        TsxPaintAttr a;
        a.ColorFront = static_cast<TColor>(settings.values[static_cast<size_t>(base)]);
        a.ColorBack = static_cast<TColor>(settings.values[static_cast<size_t>(base + 1)]);
        a.Style = static_cast<TFontStyles>(settings.values[static_cast<size_t>(base + 2)] & 0xF);
        if (k < 5) {
            switch (k) {
            case 0:
                painter.SetComments(a);
                break;
            case 1:
                painter.SetIdentifiers(a);
                break;
            case 2:
                painter.SetNumbers(a);
                break;
            case 3:
                painter.SetStrings(a);
                break;
            default:
                painter.SetSymbols(a);
                break;
            }
        } else if (TsxWords* words = painter.FindWords(BasicWordGroups[k - 5])) {
            words->SetAttr(a);
        }
    }
    painter.EndUpdate();
}

} // namespace IdeSettingsFile
