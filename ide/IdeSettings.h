#pragma once

#include "base/Values.h"

#include <array>
#include <cstdint>
#include <vector>

class TsxPainter;

// The settings file: a record of 60 little-endian 32-bit integers followed by
// the recent-file names, newest first, each ending in CR LF.
struct IdeSettings {
    enum Index {
        Signature = 0,
        SmartTabbing = 1,
        AutoLoadNewer = 2,
        TabWidth = 3,
        AutoIndent = 4,
        RememberEditorBounds = 5,
        SelectionToHelp = 6,
        RecentLimit = 7,
        PrintOptions = 8,
        MarginAlwaysOn = 9,
        GutterShown = 10,
        GutterLineNumbers = 11,
        FontSize = 12,
        GutterWidth = 13,
        MarginColour = 14,
        BackgroundColour = 15,
        SelectionBackColour = 16,
        SelectionTextColour = 17,
        // Front colour, back colour and style bits of each painted class:
        // comments, identifiers, numbers, strings, symbols, then the five word
        // groups in their order.
        FirstAttribute = 18,
        EditorTop = 48,
        EditorLeft = 49,
        EditorWidth = 50,
        EditorHeight = 51,
        EditorMaximised = 52,
        RememberHelpBounds = 53,
        HelpTop = 54,
        HelpLeft = 55,
        HelpWidth = 56,
        HelpHeight = 57,
        HelpTreeWidth = 58,
        RecentCount = 59,
        Count = 60,
    };
    static constexpr int32_t SignatureValue = 4200;
    static constexpr int AttributeClasses = 10;
    static constexpr int RecordBytes = Count * 4;

    std::array<int32_t, Count> values {};
    // Newest first.
    std::vector<AnsiString> recentFiles;

    int32_t operator[](Index i) const { return values[i]; }
    bool Flag(Index i) const { return values[i] != 0; }
    void Set(Index i, int32_t value) { values[i] = value; }
    void SetFlag(Index i, bool on) { values[i] = on ? 1 : 0; }
};

namespace IdeSettingsFile {

// Reads a settings file's bytes; false (and settings untouched) for a file
// that is short or carries another signature. Values are brought into the
// ranges the editor can show, and the recent-file count to the names present.
bool Parse(const AnsiString& bytes, IdeSettings& settings);
AnsiString Serialise(const IdeSettings& settings);

// Reads the file; false when it is missing, unreadable or foreign.
bool Load(const AnsiString& path, IdeSettings& settings);
// Writes the file atomically; false when it cannot be written.
bool Save(const AnsiString& path, const IdeSettings& settings);

// The painter's part of the record: font size, colour map and the attributes
// of the ten painted classes.
void ReadFromPainter(const TsxPainter& painter, IdeSettings& settings);
void ApplyToPainter(const IdeSettings& settings, TsxPainter& painter);

} // namespace IdeSettingsFile
