#pragma once

#include "ide/IdeSettings.h"

// What the preferences dialog edits: a working copy of the editor's settings,
// in the settings record's layout. The dialog shows it on its own sample and
// writes it back to the editor only on Apply.
class PreferencesModel {
public:
    // The elements of the style list, in its order.
    enum Element {
        HighlightedText = 0,
        Comments,
        NormalText,
        Numbers,
        Strings,
        Operators,
        Commands,
        Functions,
        Statements,
        Constants,
        ElementCount
    };
    // The bits of the print option set.
    enum PrintBit {
        PrintColour = 1,
        PrintCaption = 2,
        PrintPageNumbers = 4,
        PrintSelectionOnly = 8,
        PrintSyntax = 16,
        PrintTimeDate = 32
    };

    IdeSettings settings;

    // Front colour, back colour and style of an element. The highlighted
    // text has no style; its colours are the painter's colours 2 (text) and
    // 3 (background).
    int Front(Element element) const;
    int Back(Element element) const;
    int Style(Element element) const;
    void SetElement(Element element, int front, int back, int style);

    // The editor background: every element whose back colour was the old
    // background takes the new one.
    void SetBackground(int colour);
    // Comments, numbers, strings, operators and the word groups take the
    // colours and style of the normal text.
    void AllLikeNormalText();
    // The print option set is rebuilt from the four boxes: caption and
    // selection-only end up off.
    void SetPrintBoxes(bool colour, bool pageNumbers, bool syntax, bool timeDate);

    void GeneralDefaults();
    void EditorDefaults();
    void PrintingDefaults();
    void AllDefaults();

private:
    // The settings attribute class (0 to 9) of each element but the highlight.
    static int AttributeClass(Element element);
    int& Field(int attributeClass, int part);
};
