#include "interpreter/Durnix_class.h"

#include "interpreter/ProgramFiles.h"
#include "interpreter/RunHooks.h"

#include <algorithm>
#include <vector>

// Program preparation runs once per interpreter object, before the first
// statement: the include files are appended to the program text, then labels
// and subs are collected.

namespace {

constexpr int CodeBitAnd = Code(StatementCode::Band); // "&" marks a by-reference parameter

AnsiString UpperCased(AnsiString text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return text;
}

// Marks a scan over the whole text for its lifetime, also when it ends with
// an error: such a scan reads the head of every line, which the run may never
// read, and leaves the token cache as it found it.
class WholeTextScan {
public:
    explicit WholeTextScan(Expression_Class& evaluator)
        : e(evaluator)
        , was(evaluator.scanningWholeText)
    {
        e.scanningWholeText = true;
    }
    ~WholeTextScan() { e.scanningWholeText = was; }
    WholeTextScan(const WholeTextScan&) = delete;
    WholeTextScan& operator=(const WholeTextScan&) = delete;

private:
    Expression_Class& e;
    bool was;
};

} // namespace

void Durnix_Class::PrepareProgram()
{
    if (!RunHooks::FromExecutable()) ExpandIncludes();
    ScanLabels();
    ScanSubs();
    prescanNeeded = false;
    // The scans ended on the end of the text; the run starts afresh.
    expression.tokenCode = 0;
    expression.endOfStatement = false;
}

void Durnix_Class::ExpandIncludes()
{
    Expression_Class& e = expression;
    const WholeTextScan scan(e);
    std::vector<AnsiString> expanded;
    e.scanPosition = e.programStart;
    for (;;) {
        int type = e.NextToken();
        if (e.tokenCode == TokenCode::EndOfText) break;
        if (type != TokenType::Include) {
            if (!e.endOfStatement) e.SkipRestOfLine();
            continue;
        }
        e.NextToken();
        if (e.endOfStatement) {
            if (e.tokenCode == TokenCode::EndOfText) break;
            continue;
        }
        e.PutBack();
        for (;;) {
            Value name;
            e.Evaluate(name);
            if (name.tag != Tag::String) e.RaiseError(ErrorCode::ParameterShouldBeString);
            AnsiString key = UpperCased(name.s);
            if (std::find(expanded.begin(), expanded.end(), key) == expanded.end()) {
                ReadIncludeFile(name.s);
                expanded.push_back(key);
            }
            if (!CurrentIs(',')) break;
        }
        if (!e.endOfStatement) e.RaiseError(ErrorCode::SyntaxError);
        if (e.tokenCode == TokenCode::EndOfText) break;
    }
    e.scanPosition = e.programStart;
}

void Durnix_Class::ReadIncludeFile(const AnsiString& name)
{
    Expression_Class& e = expression;
    AnsiString path = ProgramFiles::FindFileIgnoringCase(name);
    if (path.empty()) e.RaiseError(ErrorCode::IncludeFileNotFound);
    AnsiString included;
    switch (ProgramFiles::ReadText(path, included)) {
    case ProgramFiles::ReadResult::NotFound:
    case ProgramFiles::ReadResult::NotRegular:
        e.RaiseError(ErrorCode::IncludeFileNotFound);
    case ProgramFiles::ReadResult::ReadFailed:
    case ProgramFiles::ReadResult::TooLarge:
        e.RaiseError(ErrorCode::IncludeFileUnreadable);
    case ProgramFiles::ReadResult::Ok:
        break;
    }
    // The text grows, so the evaluator is attached to the new text with its
    // scan state moved along by offset.
    const ptrdiff_t scanOffset = e.scanPosition - e.programStart;
    const ptrdiff_t tokenOffset = e.tokenStart - e.programStart;
    const AnsiString tokenText(e.tokenText);
    const int tokenType = e.tokenType;
    const int tokenCode = e.tokenCode;
    const bool endOfStatement = e.endOfStatement;
    const bool recogniseSub = e.recogniseSub;

    includeEndOffsets.push_back(static_cast<ptrdiff_t>(programText.size()) + 2);
    programText += "\r\nEnd\r\n";
    programText += included;
    Attach();
    e.scanPosition = e.programStart + scanOffset;
    e.tokenStart = e.programStart + tokenOffset;
    e.RestoreTokenText(tokenText);
    e.tokenType = tokenType;
    e.tokenCode = tokenCode;
    e.endOfStatement = endOfStatement;
    e.recogniseSub = recogniseSub;
}

void Durnix_Class::ScanLabels()
{
    Expression_Class& e = expression;
    const WholeTextScan scan(e);
    const char* saved = e.scanPosition;
    e.scanPosition = e.programStart;
    for (;;) {
        int type = e.NextToken();
        while (type == TokenType::Label || type == TokenType::Number) {
            int added = labels.Add(e.tokenText, e.scanPosition);
            if (added == -1) e.RaiseError(ErrorCode::DuplicateLabel);
            if (added == -2) e.RaiseError(ErrorCode::LabelTableFull);
            type = e.NextToken();
        }
        if (e.tokenCode == TokenCode::EndOfText) break;
        // An empty line or a comment has already consumed its line end.
        if (!e.endOfStatement) e.SkipRestOfLine();
    }
    e.scanPosition = saved;
}

void Durnix_Class::ScanSubs()
{
    Expression_Class& e = expression;
    const WholeTextScan scan(e);
    const char* saved = e.scanPosition;
    e.scanPosition = e.programStart;
    e.recogniseSub = true;
    for (;;) {
        int type = e.NextToken();
        if (e.tokenCode == TokenCode::EndOfText) break;
        if (type != TokenType::Sub) {
            if (!e.endOfStatement) e.SkipRestOfLine();
            continue;
        }
        if (e.NextToken() != TokenType::Variable) e.RaiseError(ErrorCode::SyntaxError);
        const AnsiString name(e.tokenText);
        e.NextToken();
        if (!CurrentIs('(')) e.RaiseError(ErrorCode::SubNeedsParenthesis);
        AnsiString parameters;
        int count = 0;
        bool byReference = false;
        for (;;) {
            type = e.NextToken();
            if (type == TokenType::Variable) {
                if (byReference) parameters += '&';
                parameters += e.tokenText;
                parameters += ',';
                ++count;
                byReference = false;
            } else if (type == TokenType::Keyword && e.tokenCode == CodeBitAnd) {
                byReference = true;
            } else if (!CurrentIs(',')) {
                break;
            }
        }
        if (!CurrentIs(')')) e.RaiseError(ErrorCode::UnbalancedParenthesis);
        const char* headLine = e.scanPosition;
        e.SkipRestOfLine();
        int added = subs.Add(name, e.scanPosition, count, parameters);
        if (added < 0) {
            // The error names the sub's own line, not the one after it.
            e.scanPosition = headLine;
            e.RaiseError(added == -1 ? ErrorCode::DuplicateSub : ErrorCode::SubsTableFull);
        }
    }
    e.scanPosition = saved;
    e.recogniseSub = false;
}
