#include "interpreter/Durnix_class.h"
#include "interpreter/OpenFiles.h"
#include "interpreter/Operators.h"
#include "interpreter/statements/StatementTable.h"
#include "support/TextAlgorithms.h"

// Printing into a text variable used as a buffer (buffprintt, buffprintb) or
// into an open file (fileprintt, fileprintb). The text forms build lines as
// print does; the binary forms lay down the little-endian images of numbers.
// The whole output is built before anything is stored or written, so an item
// that fails leaves the buffer and the file as they were.

namespace {

constexpr int TabWidth = 8;

enum class Form { Text, Binary };

// Reads the items after the target. `column` is where the output starts in
// its line (a buffer's text length), for the tab separator's padding. Returns
// true when the output ends with a line end or needs none.
AnsiString BuildOutput(Durnix_Class& d, Form form, size_t column)
{
    Expression_Class& e = d.expression;
    AnsiString output;
    e.NextToken();
    if (e.endOfStatement) return form == Form::Text ? AnsiString("\r\n") : AnsiString();
    if (!d.CurrentIs(',') && !d.CurrentIs(';')) e.RaiseError(ErrorCode::SyntaxError);
    e.NextToken();
    if (e.endOfStatement) return output;
    e.PutBack();
    for (;;) {
        Value item;
        e.Evaluate(item);
        if (item.tag == Tag::Omitted) e.RaiseError(ErrorCode::SyntaxError);
        if (form == Form::Text) {
            if (!Operators::JoinText(output, item)) e.RaiseError(ErrorCode::OutOfMemory);
        } else if (item.tag == Tag::Int) {
            OpenFiles::AppendInt32(output, item.i);
        } else if (item.tag == Tag::Float) {
            OpenFiles::AppendFloat64(output, item.f);
        } else {
            if (!Operators::JoinText(output, item)) e.RaiseError(ErrorCode::OutOfMemory);
        }
        if (e.endOfStatement) {
            if (form == Form::Text) output += "\r\n";
            return output;
        }
        if (form == Form::Text && d.CurrentIs(d.tabSeparator)) {
            output.append(TabWidth - (column + output.size()) % TabWidth, ' ');
        } else if (form == Form::Text ? !d.CurrentIs(d.plainSeparator) : !d.CurrentIs(',') && !d.CurrentIs(';')) {
            e.RaiseError(ErrorCode::SyntaxError);
        }
        e.NextToken();
        if (e.endOfStatement) return output;
        e.PutBack();
    }
}

void BufferPrint(Durnix_Class& d, Form form)
{
    Expression_Class& e = d.expression;
    e.NextToken();
    if (e.tokenType != TokenType::Variable) e.RaiseError(ErrorCode::NotAVariableName);
    const AnsiString name(e.tokenText);
    const Variables_Class::Node* before = d.currentVariables->Find(name);
    const size_t column = before && before->type == Tag::String ? before->textValue.size() : 0;
    const AnsiString output = BuildOutput(d, form, column);

    // Found again: evaluating the items may have changed the variable.
    Variables_Class::Node* node = d.currentVariables->Find(name);
    if (node && node->type == Tag::String) {
        // Appended in place, so that a loop of appends costs linear time.
        if (output.size()
            > TextAlgorithms::MaxTextLength - std::min(node->textValue.size(), TextAlgorithms::MaxTextLength))
            e.RaiseError(ErrorCode::TooManyVariables);
        node->textValue += output;
        return;
    }
    d.currentVariables->SetString(name, output);
}

void FilePrint(Durnix_Class& d, Form form)
{
    Expression_Class& e = d.expression;
    e.NextToken();
    if (e.tokenType != TokenType::Variable) e.RaiseError(ErrorCode::NotAVariableName);
    Value handleValue;
    if (!d.currentVariables->Get(e.tokenText, handleValue) || handleValue.tag != Tag::Int)
        e.RaiseError(ErrorCode::ParameterShouldBeNumeric);
    const AnsiString output = BuildOutput(d, form, 0);
    if (output.empty()) return;
    // A number the run did not open is no handle: nothing can be written.
    const int handle = OpenFiles::IsOpen(e, handleValue.i) ? handleValue.i : -1;
    // Written at once, after what the file functions left pending, so that a
    // short write is reported here.
    if (handle < 0 || !OpenFiles::Sync(e, handle)
        || OpenFiles::WriteAll(handle, output.data(), output.size()) != output.size())
        e.RaiseError(ErrorCode::FileWriteFailed);
}

void BuffPrintText(Durnix_Class& d)
{
    BufferPrint(d, Form::Text);
}

void BuffPrintBinary(Durnix_Class& d)
{
    BufferPrint(d, Form::Binary);
}

void FilePrintText(Durnix_Class& d)
{
    FilePrint(d, Form::Text);
}

void FilePrintBinary(Durnix_Class& d)
{
    FilePrint(d, Form::Binary);
}

const StatementEntry entries[] = {
    { StatementCode::Buffprintt, BuffPrintText },
    { StatementCode::Buffprintb, BuffPrintBinary },
    { StatementCode::Fileprintt, FilePrintText },
    { StatementCode::Fileprintb, FilePrintBinary },
};

} // namespace

const StatementFamily filePrintStatements = { entries, sizeof entries / sizeof entries[0] };
