#include "ide/VariablesList.h"

#include "interpreter/Durnix_class.h"
#include "interpreter/Variables_class.h"
#include "support/FloatText.h"

namespace VariablesList {

AnsiString Line(const AnsiString& name, char tag, const AnsiString& value, TextQuotes quotes)
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
    line += tag == 's' && quotes == TextQuotes::Yes ? "\"" + value + "\"" : value;
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

std::vector<AnsiString> Lines(const Variables_Class& table, TextQuotes quotes)
{
    std::vector<AnsiString> lines;
    for (const Variables_Class::Node* node = table.head; node; node = node->next) {
        const AnsiString name = node->name.empty() ? AnsiString("No_Name_Has_Been_Assigned") : node->name;
        switch (node->type) {
        case Tag::Int:
            lines.push_back(Line(name, node->type, IntToStr(node->intValue), quotes));
            break;
        case Tag::Float:
            lines.push_back(Line(name, node->type, FloatToStr(node->floatValue), quotes));
            break;
        case Tag::String:
            lines.push_back(Line(name, node->type, node->textValue, quotes));
            break;
        default:
            lines.push_back(Line(name, node->type, "Not A Valid Value Type", quotes));
            break;
        }
    }
    return lines;
}

} // namespace VariablesList
