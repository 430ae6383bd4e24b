#include "interpreter/Expression_class.h"
#include "interpreter/CompiledExpression.h"
#include "interpreter/OpenFiles.h"

#include <unistd.h>

Expression_Class::Expression_Class()
{
    for (int k = 0; k < fileHandles.capacity && fileHandles.items; ++k)
        fileHandles.items[k] = -1;
}

Expression_Class::~Expression_Class()
{
    OpenFiles::CloseAll(*this);
}

void Expression_Class::Attach(const char* programText, Variables_Class* current, Arrays_Class* arraysTable)
{
    programStart = programText ? programText : "";
    scanPosition = tokenStart = programStart;
    currentVariables = current;
    outerVariables = nullptr;
    arrays = arraysTable;
    // The vocabulary is built once for the process and shared read-only.
    if (!vocabulary) vocabulary = &Vocabulary::instance();
    tokenText = {};
    tokenType = 0;
    tokenCode = 0;
    endOfStatement = false;
    ResetTokenCache();
    attached = true;
}

Expression_Class& GlobalExpression()
{
    static Expression_Class expression;
    return expression;
}
