#include "ide/VariablesList.h"

#include "interpreter/Durnix_class.h"

namespace VariablesList {

AnsiString Line(const AnsiString& name, char tag, const AnsiString& value)
{
    AnsiString line;
    switch (tag) {
    case 'i':
        line = "Integer   ";
        break;
    case 'f':
        line = "Float     ";
        break;
    case 's':
        line = "String    ";
        break;
    default:
        line = "NoType    ";
        break;
    }
    const AnsiString shown = name.substr(0, 30);
    line += shown + "   ";
    if (shown.size() < 28) line.append(28 - shown.size(), '_');
    line += "  ";
    line += tag == 's' ? "\"" + value + "\"" : value;
    return line;
}

std::vector<AnsiString> Lines(Durnix_Class& run)
{
    std::vector<AnsiString> lines;
    // The iterator fills a variable and answers whether another follows; an
    // empty table fills nothing.
    bool more = true;
    while (more) {
        AnsiString name, value;
        char tag = 0;
        more = run.NextVariableAsText(name, tag, value);
        if (name.empty()) break;
        lines.push_back(Line(name, tag, value));
    }
    return lines;
}

} // namespace VariablesList
