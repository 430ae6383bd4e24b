#pragma once

#include "base/Values.h"
#include "interpreter/Expression_class.h"
#include "interpreter/Operators.h"
#include "interpreter/Variables_class.h"
#include "interpreter/arrays/Arrays_class.h"
#include "interpreter/arrays/DArray_class.h"

#include <string_view>

// Where an assignment stores: a variable of a table (the current one, or the
// main program's for an underscore name) or an element of a named array at
// the indexes of an index list. Both the handler that reads the statement
// from the text and its ready form resolve the target into this, and go
// through it for every read and store, so that the two keep one set of rules.
//
// The statement's expressions may change the tables, so the target finds its
// node again at each access: through the name's token, which remembers the
// node it named while the table keeps its identity (Variables_Class and
// Arrays_Class::identity), or, for a name read from a token that later
// tokens replace, through the node found when the target was resolved,
// under the same rule. A target lives on the stack for one statement and
// allocates nothing.
class AssignmentTarget {
public:
    // The target named by the current token (a variable or an underscore
    // name), taken before the token after the name is read: the token may be
    // one that the next tokens replace. currentTable is the running scope's
    // table; indexes receive an element's indexes.
    static AssignmentTarget AtCurrentToken(
        Expression_Class& e, Variables_Class* currentTable, Arrays_Class& arrays, DArray<int>& indexes)
    {
        const bool outer = e.tokenType == TokenType::OuterVariable;
        AssignmentTarget target(e, nullptr, outer ? e.CurrentTokenText().substr(1) : e.CurrentTokenText(),
            outer ? e.outerVariables : currentTable, arrays, indexes);
        // Only a plain name's token knows nodes: an underscore name is
        // another table's. An element's name is the array's.
        if (!outer && e.currentToken) {
            if (*e.PeekNextChar() == '[') {
                target.knownArray = e.FindArray(*e.currentToken);
                target.knownArrays = arrays.identity();
            } else {
                target.knownVariable = e.FindVariable(*e.currentToken, target.table);
                target.knownTable = target.table ? target.table->identity() : 0;
            }
        }
        return target;
    }
    // A variable of table named by name, a token that the cache keeps.
    [[gnu::always_inline]] static AssignmentTarget Variable(Expression_Class& e, Variables_Class* table,
        Expression_Class::CachedToken& name, Arrays_Class& arrays, DArray<int>& indexes)
    {
        return AssignmentTarget(e, &name, name.text, table, arrays, indexes);
    }
    // An element of the array named by name, a token that the cache keeps, at
    // indexes, which the caller fills.
    [[gnu::always_inline]] static AssignmentTarget Element(
        Expression_Class& e, Arrays_Class& arrays, Expression_Class::CachedToken& name, DArray<int>& indexes)
    {
        AssignmentTarget target(e, &name, name.text, nullptr, arrays, indexes);
        target.element = true;
        return target;
    }

    // Makes the target the named array's element (true) or the variable.
    void SetElement(bool isElement) { element = isElement; }
    bool IsElement() const { return element; }
    Variables_Class* Table() const { return table; }

    [[gnu::always_inline]] Variables_Class::Node* FindVariable() const
    {
        if (token) return e.FindVariable(*token, table);
        if (!table) return nullptr;
        if (knownVariable && table->identity() == knownTable) return knownVariable;
        return table->Find(name);
    }
    [[gnu::always_inline]] Arrays_Class::Node* FindArray() const
    {
        if (token) return e.FindArray(*token);
        if (knownArray && arrays.identity() == knownArrays) return knownArray;
        return arrays.Find(name);
    }

    // The text the target holds, in place: appending to it there keeps a
    // loop that grows a text linear. Null for a number, an element never set
    // or a missing variable.
    [[gnu::always_inline]] AnsiString* Text() const
    {
        if (element) {
            const Arrays_Class::Node* array = FindArray();
            return array ? Arrays_Class::StoredText(*array, indexes) : nullptr;
        }
        Variables_Class::Node* variable = FindVariable();
        return variable && variable->type == Tag::String ? &variable->textValue : nullptr;
    }

    // ++ or -- (delta 1 or -1) on a variable that holds a number, in place and
    // in the type it has; false, with nothing changed, for anything else.
    static bool StepInPlace(Variables_Class::Node* variable, int32_t delta)
    {
        if (!variable) return false;
        if (variable->type == Tag::Int) {
            variable->intValue = Operators::WrapAdd(variable->intValue, delta);
            return true;
        }
        if (variable->type == Tag::Float) {
            variable->floatValue += delta;
            return true;
        }
        return false;
    }

    // A number stored into a variable that holds one of the same kind, in
    // place; false, with nothing changed, for anything else.
    static bool StoreSameKind(Variables_Class::Node& variable, double value, bool isInt)
    {
        if (isInt && variable.type == Tag::Int) {
            variable.intValue = static_cast<int32_t>(value);
            return true;
        }
        if (!isInt && variable.type == Tag::Float) {
            variable.floatValue = value;
            return true;
        }
        return false;
    }

    // The target's current value, for a compound operator: raises
    // ArrayElementNotInitialized for an element never set and
    // VariableNotInitialized for a missing variable.
    [[gnu::always_inline]] void Read(Value& value) const
    {
        if (element) {
            const Arrays_Class::Node* array = FindArray();
            if (!array || !Arrays_Class::ReadElement(*array, indexes, value))
                e.RaiseError(ErrorCode::ArrayElementNotInitialized);
        } else if (const Variables_Class::Node* variable = FindVariable()) {
            Variables_Class::CopyValue(*variable, value);
        } else {
            e.RaiseError(ErrorCode::VariableNotInitialized);
        }
    }

    // Stores the result: an element takes its tag and value (a bad index
    // raises IncorrectArrayIndexing); a variable takes the result's type, or
    // keeps declaredType when it is not 0 (declare mode).
    [[gnu::always_inline]] void Store(const Value& result, char declaredType = 0) const
    {
        if (element) {
            Arrays_Class::Node* array = FindArray();
            if (!array || !Arrays_Class::WriteElement(*array, indexes, result))
                e.RaiseError(ErrorCode::IncorrectArrayIndexing);
        } else if (declaredType) {
            StoreDeclared(result, declaredType);
        } else if (Variables_Class::Node* existing = FindVariable()) {
            Variables_Class::StoreValue(*existing, result);
        } else {
            table->SetValue(name, result);
        }
    }

private:
    // A declared variable keeps its type.
    void StoreDeclared(const Value& result, char declaredType) const;

    AssignmentTarget(Expression_Class& evaluator, Expression_Class::CachedToken* nameToken, std::string_view text,
        Variables_Class* variables, Arrays_Class& arraysTable, DArray<int>& indexList)
        : e(evaluator)
        , token(nameToken)
        , name(text)
        , table(variables)
        , arrays(arraysTable)
        , indexes(indexList)
    { }

    Expression_Class& e;
    Expression_Class::CachedToken* token; // a kept name token, else null
    std::string_view name;
    Variables_Class* table;
    Arrays_Class& arrays;
    DArray<int>& indexes;
    // Without a token: the nodes found when the target was resolved, and the
    // identities their tables had then.
    Variables_Class::Node* knownVariable = nullptr;
    uint64_t knownTable = 0;
    Arrays_Class::Node* knownArray = nullptr;
    uint64_t knownArrays = 0;
    bool element = false;
};
