#include "ide/PreferencesModel.h"

namespace {

// The painter's colours 2 and 3 as the settings record keeps them.
constexpr IdeSettings::Index HighlightText = IdeSettings::SelectionBackColour; // painter colour 2
constexpr IdeSettings::Index HighlightBack = IdeSettings::SelectionTextColour; // painter colour 3

} // namespace

int PreferencesModel::AttributeClass(Element element)
{
    // Settings classes: comments, identifiers, numbers, strings, symbols,
    // then word groups 0 to 4 (commands, functions, statements, constants,
    // word operators).
    switch (element) {
    case Comments:
        return 0;
    case NormalText:
        return 1;
    case Numbers:
        return 2;
    case Strings:
        return 3;
    case Operators:
        return 4;
    case Commands:
        return 5;
    case Functions:
        return 6;
    case Statements:
        return 7;
    case Constants:
        return 8;
    default:
        return -1;
    }
}

int& PreferencesModel::Field(int attributeClass, int part)
{
    return settings.values[static_cast<size_t>(IdeSettings::FirstAttribute + 3 * attributeClass + part)];
}

int PreferencesModel::Front(Element element) const
{
    if (element == HighlightedText) return settings[HighlightText];
    return settings.values[static_cast<size_t>(IdeSettings::FirstAttribute + 3 * AttributeClass(element))];
}

int PreferencesModel::Back(Element element) const
{
    if (element == HighlightedText) return settings[HighlightBack];
    return settings.values[static_cast<size_t>(IdeSettings::FirstAttribute + 3 * AttributeClass(element) + 1)];
}

int PreferencesModel::Style(Element element) const
{
    if (element == HighlightedText) return 0;
    return settings.values[static_cast<size_t>(IdeSettings::FirstAttribute + 3 * AttributeClass(element) + 2)];
}

void PreferencesModel::SetElement(Element element, int front, int back, int style)
{
    if (element == HighlightedText) {
        settings.Set(HighlightBack, back);
        settings.Set(HighlightText, front);
        return;
    }
    const int attributeClass = AttributeClass(element);
    Field(attributeClass, 0) = front;
    Field(attributeClass, 1) = back;
    Field(attributeClass, 2) = style & 0xF;
    // The operators are the symbols and the word operators together.
    if (element == Operators) {
        Field(9, 0) = front;
        Field(9, 1) = back;
        Field(9, 2) = style & 0xF;
    }
}

void PreferencesModel::SetBackground(int colour)
{
    const int old = settings[IdeSettings::BackgroundColour];
    for (int k = 0; k < IdeSettings::AttributeClasses; ++k)
        if (Field(k, 1) == old) Field(k, 1) = colour;
    settings.Set(IdeSettings::BackgroundColour, colour);
}

void PreferencesModel::AllLikeNormalText()
{
    for (int k = 0; k < IdeSettings::AttributeClasses; ++k)
        if (k != 1)
            for (int part = 0; part < 3; ++part)
                Field(k, part) = Field(1, part);
}

void PreferencesModel::SetPrintBoxes(bool colour, bool pageNumbers, bool syntax, bool timeDate)
{
    settings.Set(IdeSettings::PrintOptions,
        (colour ? PrintColour : 0) | (pageNumbers ? PrintPageNumbers : 0) | (syntax ? PrintSyntax : 0)
            | (timeDate ? PrintTimeDate : 0));
}

void PreferencesModel::GeneralDefaults()
{
    settings.SetFlag(IdeSettings::SmartTabbing, true);
    settings.SetFlag(IdeSettings::AutoIndent, true);
    settings.Set(IdeSettings::TabWidth, 4);
    settings.SetFlag(IdeSettings::AutoLoadNewer, true);
    settings.SetFlag(IdeSettings::RememberEditorBounds, false);
    settings.SetFlag(IdeSettings::RememberHelpBounds, false);
    settings.SetFlag(IdeSettings::SelectionToHelp, false);
    settings.Set(IdeSettings::RecentLimit, 5);
}

void PreferencesModel::EditorDefaults()
{
    settings.SetFlag(IdeSettings::MarginAlwaysOn, false);
    settings.SetFlag(IdeSettings::GutterLineNumbers, true);
    settings.SetFlag(IdeSettings::GutterShown, true);
    settings.Set(IdeSettings::FontSize, 11);
    settings.Set(IdeSettings::GutterWidth, 42);
    settings.Set(IdeSettings::MarginColour, 0xABB077);
    constexpr int background = 0xFDFDFA;
    settings.Set(IdeSettings::BackgroundColour, background);
    settings.Set(HighlightBack, 0x944F25);
    settings.Set(HighlightText, 0xFFFFFF);
    struct Default {
        int front;
        int style;
    };
    constexpr int bold = 1, italic = 2;
    const Default defaults[IdeSettings::AttributeClasses] = {
        { 0x008080, italic }, // comments
        { 0x000000, 0 }, // identifiers
        { 0x808080, bold }, // numbers
        { 0x0000AA, 0 }, // strings
        { 0x000000, bold }, // symbols
        { 0x008000, bold }, // commands
        { 0xFF0000, bold }, // functions
        { 0xA4A400, bold }, // statements
        { 0x800080, bold }, // constants
        { 0x000000, bold }, // word operators
    };
    for (int k = 0; k < IdeSettings::AttributeClasses; ++k) {
        Field(k, 0) = defaults[k].front;
        Field(k, 1) = background;
        Field(k, 2) = defaults[k].style;
    }
}

void PreferencesModel::PrintingDefaults()
{
    SetPrintBoxes(true, true, true, true);
}

void PreferencesModel::AllDefaults()
{
    GeneralDefaults();
    EditorDefaults();
    PrintingDefaults();
}
