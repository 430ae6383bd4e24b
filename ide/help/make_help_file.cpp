// Writes the help document "Quorvatine_HelpFile.rtf" from the topic texts
// (Topics.txt), the keyword notes (Keywords.txt) and the language's own
// keyword tables, so that every command, function and constant the help
// window lists has its entry:
//   make_help_file TOPICS OUTPUT KEYWORDS...
//
// A topic begins with the bullet (byte 149) and its exact title; an entry with
// the bullet, the name and its closing character (" " for a command, "(" for
// a function, a tab for a constant). The bullet occurs nowhere else, so the
// help window finds each key by a plain search.
#include "interpreter/Codes_class.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TreeNode {
    int level;
    const char* title;
};

const TreeNode tree[] = {
#define HELP_TOPIC(level, title) { level, title },
#include "ide/HelpTopics.inc"
#undef HELP_TOPIC
};

constexpr unsigned char Bullet = 149;

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "make_help_file: %s\n", message.c_str());
    std::exit(1);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) Fail("cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Text as RTF: the special characters escaped, bytes above 127 as \'hh. The
// bullet is refused: it marks keys only.
std::string Escape(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == Bullet) Fail("the text holds byte 149: " + text);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c >= 128) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

const char* const bullet = "\\'95";

std::vector<std::string> KeywordList(int kind)
{
    AnsiString text;
    Vocabulary::instance().KeywordList(kind, text);
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const std::string& line : Lines(text))
        if (!line.empty() && seen.insert(line).second) names.push_back(line);
    return names;
}

// Keyword notes: "KIND NAME|SYNTAX|TEXT" where KIND is cmd, fn or const.
struct Note {
    std::string syntax;
    std::string text;
};
using Notes = std::map<std::string, Note>;

// The notes the document used: any other is for a word the language does not
// have (misspelt, or of the wrong kind), which is an error too.
std::set<std::string> usedNotes;

void ReadNotes(const std::string& path, Notes& notes)
{
    for (const std::string& line : Lines(ReadFile(path))) {
        if (line.empty() || line[0] == '#') continue;
        const size_t space = line.find(' ');
        const size_t bar1 = line.find('|');
        const size_t bar2 = bar1 == std::string::npos ? bar1 : line.find('|', bar1 + 1);
        // Exactly two bars: a third would silently move part of the syntax
        // into the text.
        if (space == std::string::npos || bar2 == std::string::npos || line.find('|', bar2 + 1) != std::string::npos)
            Fail("bad keyword note: " + line);
        const std::string key = line.substr(0, space) + " " + line.substr(space + 1, bar1 - space - 1);
        // A second note for one key would silently hide the first.
        if (notes.count(key)) Fail("two keyword notes for " + key);
        notes[key] = { line.substr(bar1 + 1, bar2 - bar1 - 1), line.substr(bar2 + 1) };
    }
}

struct Writer {
    std::string rtf;
    void Title(const std::string& title, int level)
    {
        const int size = level == 0 ? 32 : level == 1 ? 28 : 24;
        rtf += "\\pard\\sb240\\sa120\\b\\fs" + std::to_string(size) + " " + bullet + Escape(title)
            + "\\b0\\fs20\\par\n";
    }
    void Paragraph(const std::string& text) { rtf += "\\pard\\sa80 " + Escape(text) + "\\par\n"; }
    // An entry: the key (bullet, name, closing character) in bold, the rest
    // of the syntax plain, and the description below.
    void Entry(const std::string& name, const std::string& closing, const std::string& rest, const std::string& text)
    {
        rtf += "\\pard\\sb120\\f1\\b " + std::string(bullet) + Escape(name) + Escape(closing) + "\\b0 " + Escape(rest)
            + "\\f0\\par\n";
        rtf += "\\pard\\li360\\sa80 " + Escape(text) + "\\par\n";
    }
};

void WriteCommands(Writer& out, const Notes& notes)
{
    out.Paragraph("Every command of the language, in the order of the editor's word list. A command is a "
                  "statement of its own; its operands follow it, separated by commas.");
    for (const std::string& name : KeywordList(0)) {
        // Every keyword has its note: a word without one is a build error.
        const auto note = notes.find("cmd " + name);
        usedNotes.insert("cmd " + name);
        if (note == notes.end()) Fail("no note for the command " + name);
        out.Entry(name, " ", note->second.syntax, note->second.text);
    }
}

void WriteFunctions(Writer& out, const Notes& notes)
{
    out.Paragraph("Every built-in function, in the order of the editor's word list. A function is called in an "
                  "expression, with its arguments in parentheses; arguments in brackets may be left out.");
    for (const std::string& name : KeywordList(1)) {
        const auto note = notes.find("fn " + name);
        usedNotes.insert("fn " + name);
        if (note == notes.end()) Fail("no note for the function " + name);
        out.Entry(name, "(", note->second.syntax, note->second.text);
    }
}

void WriteConstants(Writer& out, const Notes& notes)
{
    out.Paragraph("Every named constant of the language. A constant stands for its value wherever a number is "
                  "expected; its name is not case-sensitive.");
    for (const std::string& name : KeywordList(3)) {
        const auto note = notes.find("const " + name);
        usedNotes.insert("const " + name);
        if (note == notes.end()) Fail("no note for the constant " + name);
        out.Entry(name, "\t", note->second.syntax, note->second.text);
    }
}

void WriteFlowStatements(Writer& out, const Notes& notes)
{
    for (const std::string& name : KeywordList(2)) {
        const auto note = notes.find("flow " + name);
        usedNotes.insert("flow " + name);
        // The flow words are listed without the bullet: the window's lists
        // do not show them.
        out.rtf += "\\pard\\sb80\\f1\\b " + Escape(name) + "\\b0\\f0  ";
        out.rtf += Escape(note != notes.end() ? note->second.syntax + " - " + note->second.text
                                              : "a word of the program's structure.")
            + "\\par\n";
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) Fail("usage: make_help_file TOPICS OUTPUT KEYWORDS...");
    Notes notes;
    for (int k = 3; k < argc; ++k)
        ReadNotes(argv[k], notes);

    // The topic texts: "== Title" starts a topic, blank lines end paragraphs.
    std::vector<std::pair<std::string, std::vector<std::string>>> topics;
    std::string paragraph;
    for (const std::string& line : Lines(ReadFile(argv[1]))) {
        if (line.rfind("#", 0) == 0) continue;
        if (line.rfind("== ", 0) == 0) {
            if (!paragraph.empty() && !topics.empty()) topics.back().second.push_back(paragraph);
            paragraph.clear();
            topics.push_back({ line.substr(3), {} });
            continue;
        }
        if (line.empty()) {
            if (!paragraph.empty() && !topics.empty()) topics.back().second.push_back(paragraph);
            paragraph.clear();
            continue;
        }
        paragraph += (paragraph.empty() ? "" : " ") + line;
    }
    if (!paragraph.empty() && !topics.empty()) topics.back().second.push_back(paragraph);

    const size_t count = sizeof tree / sizeof tree[0];
    if (topics.size() != count)
        Fail("the topic file has " + std::to_string(topics.size()) + " topics, the tree " + std::to_string(count));

    Writer out;
    out.rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
              "{\\colortbl;\\red0\\green0\\blue128;}\n\\fs20\n";
    for (size_t k = 0; k < count; ++k) {
        if (topics[k].first != tree[k].title)
            Fail("topic " + std::to_string(k + 1) + " is \"" + topics[k].first + "\", the tree has \"" + tree[k].title
                + "\"");
        out.Title(tree[k].title, tree[k].level);
        for (const std::string& text : topics[k].second)
            out.Paragraph(text);
        const std::string title = tree[k].title;
        if (title == "Flow Control Statements") WriteFlowStatements(out, notes);
        if (title == "The Commands List") WriteCommands(out, notes);
        if (title == "The Functions List") WriteFunctions(out, notes);
        if (title == "Other Constants") WriteConstants(out, notes);
    }
    out.rtf += "}\n";
    for (const auto& [key, note] : notes)
        if (!usedNotes.count(key)) Fail("a note for a word the language does not have: " + key);

    std::ofstream file(argv[2], std::ios::binary);
    file << out.rtf;
    if (!file) Fail(std::string("cannot write ") + argv[2]);
    return 0;
}
