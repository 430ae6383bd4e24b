#pragma once

#include "base/ZeroedTable.h"
#include "interpreter/Expression_class.h"
#include "interpreter/Labels_class.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Durnix_Class;
struct CompiledExpression;

// The statements a loop runs over and over, kept in a ready form by the read
// offset where the run loop starts to read them: an assignment to a variable
// or to an element of one index, ++ and -- on a variable, GOSUB to a label
// and CALL of a sub without by-reference parameters, named directly,
// RETURN with a value, and IF; any other statement word keeps its handler, found
// once. A ready statement runs without reading its tokens
// one by one, with the compiled trees of its expressions, and gives the same
// values, errors (with their lines and columns) and current token as read
// from the text.
//
// A statement is made ready when it runs the third time: a text that runs
// once keeps nothing here but a bit for each statement it meets again. Anything out of the ordinary (a text held
// by the target, declared variables, nesting near the bound) is read from
// the text as before.
class StatementCache {
public:
    // Runs the statement at the scan position from its ready form and returns
    // true; false, with nothing read or changed, when the text must be read.
    // The run loop calls it only while the debugger does not step.
    // `e` is the run's evaluator.
    bool TryRun(Durnix_Class& d, const Expression_Class& e)
    {
        const ptrdiff_t offset = e.scanPosition - e.programStart;
        if (offset > furthest) [[unlikely]] {
            furthest = offset;
            return false;
        }
        const int32_t form = static_cast<size_t>(offset) < formAt.size() ? formAt[static_cast<size_t>(offset)] : 0;
        if (form <= 0) return form == 0 && e.compileExpressions && Prepare(d, offset);
        const Form& ready = *forms[static_cast<size_t>(form - 1)];
        return ready.run(d, ready);
    }
    // Forgets every form: the text was attached again.
    void Clear();

private:
    struct Form {
        // What the statement is, as the function that runs it.
        bool (*run)(Durnix_Class&, const Form&) = nullptr;
        Expression_Class::CachedToken* name = nullptr; // target variable or array
        int32_t valueStart = 0; // read offset of the value's first token
        const CompiledExpression* value = nullptr;
        // The value is followed by the end of the statement, where a number
        // leaves its assignment at once.
        bool valueEndsStatement = false;
        int32_t indexStart = 0; // read offset of the index's first token
        const CompiledExpression* index = nullptr;
        int32_t operatorStart = 0; // read offset of "++" or "--"; of a GOSUB's label
        int delta = 0;
        const char* target = nullptr; // where a GOSUB goes
        void (*handler)(Durnix_Class&) = nullptr; // the handler of another statement word
        // A CALL: the sub, and each argument's first token and tree.
        const Labels_Class::Node* sub = nullptr;
        struct Argument {
            int32_t start = 0;
            const CompiledExpression* tree = nullptr;
        };
        std::vector<Argument> arguments;
        bool noArguments = false; // "name()"
    };
    // Notes the statement at offset, met again; the next time makes its
    // form and runs it.
    bool Prepare(Durnix_Class& d, ptrdiff_t offset);
    int32_t Compile(Durnix_Class& d, int32_t offset);
    bool CompileAssignment(Expression_Class& e, Form& form);
    static bool CurrentTokenKept(Expression_Class& e);
    static const CompiledExpression* TreeAtCurrentToken(Expression_Class& e);

    static bool RunAssignVariable(Durnix_Class& d, const Form& form);
    static bool RunAssignElement(Durnix_Class& d, const Form& form);
    static bool RunIncrement(Durnix_Class& d, const Form& form);
    static bool RunGosub(Durnix_Class& d, const Form& form);
    static bool RunKeyword(Durnix_Class& d, const Form& form);
    static bool RunCall(Durnix_Class& d, const Form& form);
    static bool RunReturn(Durnix_Class& d, const Form& form);
    static bool RunIf(Durnix_Class& d, const Form& form);
    bool CompileCall(Durnix_Class& d, Form& form);
    // Evaluates a value whose first token is next to be read, as Evaluate does.
    static void EvaluateValue(Expression_Class& e, const Form& form, Value& value);
    // A value that is a plain number, as EvaluateValue gives it, leaving the
    // token after it current; false, with nothing read, for any other value.
    static bool NumberValue(Expression_Class& e, const Form& form, double& value, bool& isInt);

    // Per text offset: 0 no form made yet, -1 no form, k forms[k - 1]. Only
    // the pages of text that runs a third time take memory.
    ZeroedTable<int32_t> formAt;
    // One bit per text offset: the statement there was met again once. A
    // text that runs through once, calling subs that lie further on, notes
    // the statements after each call here rather than making their forms.
    ZeroedTable<uint8_t> metAgain;
    std::vector<std::unique_ptr<Form>> forms;
    // The furthest offset a statement started at: a statement further on runs
    // for the first time, and is not noted.
    ptrdiff_t furthest = -1;
};
