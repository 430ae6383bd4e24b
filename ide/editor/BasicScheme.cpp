#include "ide/editor/BasicScheme.h"

#include "ide/editor/SchemePainter.h"

namespace {

struct TokenRow {
    const char* caption;
    const char* begin;
    const char* end;
    int id;
};

// Comment tokens. An empty end closes the token at the end of its line.
const TokenRow CommentTokens[] = {
    { "Line comment '", "'", "", 1 },
    { "Line comment //", "//", "", 2 },
    { "Block comment", "/*", "*/", 3 },
};

struct GroupRow {
    TColor front;
    TFontStyles style;
};

// Colours of the five word groups, in the order of BasicWordGroups.
const GroupRow GroupColours[5] = {
    { 0x800000, FontStyle::Bold }, // commands: navy
    { 0x800080, 0 }, // functions: purple
    { 0x000080, FontStyle::Bold }, // statements: maroon
    { 0x008080, 0 }, // constants: olive
    { 0x0000FF, FontStyle::Bold }, // word operators: red
};

} // namespace

void SetupBasicScheme(TsxPainter& painter)
{
    painter.BeginUpdate();
    painter.Caption = "Quorvatine BASIC";
    painter.SetFileTypes({ ".bas", ".txt" });
    painter.SetStringChars("\"");
    // Hex digits, the x of 0x, the % of 0% and the e of exponents continue a
    // number that began with a digit.
    painter.SetNumberChars(".abcdefABCDEFxX%");
    painter.SetWordChars("QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm1234567890_$");
    painter.SetSymbolChars("=-+*/\\()[]^~`:<>?.,|;&#");

    TsxPaintAttr comments;
    comments.ColorFront = 0x808080;
    comments.Style = FontStyle::Italic;
    painter.SetComments(comments);
    TsxPaintAttr strings;
    strings.ColorFront = 0x008000;
    painter.SetStrings(strings);
    TsxPaintAttr numbers;
    numbers.ColorFront = 0xFF0000;
    painter.SetNumbers(numbers);
    TsxPaintAttr symbols;
    symbols.ColorFront = 0x000000;
    symbols.Style = FontStyle::Bold;
    painter.SetSymbols(symbols);

    for (const TokenRow& row : CommentTokens) {
        TsxToken* token = painter.Tokens.Add();
        token->SetCaption(row.caption);
        token->SetTokenBegin(row.begin);
        token->SetTokenEnd(row.end);
        token->SetComment(true);
        token->SetTokenId(row.id);
    }
    for (int k = 0; k < 5; ++k) {
        TsxWords* words = painter.ReservedWords.Add();
        words->SetCaption(BasicWordGroups[k]);
        TsxPaintAttr attr;
        attr.ColorFront = GroupColours[k].front;
        attr.Style = GroupColours[k].style;
        words->SetAttr(attr);
    }
    painter.SetCommonBackground(0xFFFFFF);
    painter.SetColor(0, 0xFFFFFF);
    painter.EndUpdate();
}
