#include "interpreter/Expression_class.h"
#include "interpreter/CompiledExpression.h"
#include "interpreter/OpenFiles.h"

#include <cstdlib>
#include <string_view>
#include <unistd.h>

Expression_Class::Expression_Class()
{
    for (int k = 0; k < fileHandles.capacity && fileHandles.items; ++k)
        fileHandles.items[k] = -1;
}

bool Expression_Class::ReferencePathsOnly()
{
    // Read once: a run must not change its way of reading half-way.
    static const bool only = [] {
        const char* setting = std::getenv("QUORVATINE_REFERENCE_PATHS");
        return setting && *setting && std::string_view(setting) != "0";
    }();
    return only;
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
