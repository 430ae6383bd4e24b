#include "builtins/FunctionFamilies.h"
#include "interpreter/RunScreen.h"
#include "platform/KeyMap.h"
#include "platform/MessageBoxes.h"
#include "platform/SystemQueries.h"

// The functions that ask the system or the run: key and sound state, the
// abort request, the desktop size, the text buffer and the clipboard, the
// evaluation of a text, and the variable queries.

namespace {

constexpr int KeyDownAnswer = 32768;
constexpr int HighestKey = 254;

void WavBusy(FunctionCall& call)
{
    call.ReturnInt(call.ex.screen && call.Screen().Media().WaveBusy() ? 1 : 0);
}

void AbortFlag(FunctionCall& call)
{
    call.ReturnInt(call.ex.screen && call.Screen().TakeCloseRequest() ? 1 : 0);
}

// keydown ([key]): a key held while the application is active; -1 asks for
// the lowest key held.
void KeyDown(FunctionCall& call)
{
    const int key = call.FirstInt();
    if (!platform::applicationActive()) return call.ReturnInt(0);
    if (key == -1) {
        for (int k = 0; k <= HighestKey; ++k)
            if (platform::KeyIsDown(k)) return call.ReturnInt(k);
        return call.ReturnInt(0);
    }
    if (key < 0 || key > HighestKey) return call.ReturnInt(0);
    call.ReturnInt(platform::KeyIsDown(key) ? KeyDownAnswer : 0);
}

void DesktopWidth(FunctionCall& call)
{
    call.ReturnInt(platform::desktopWidth());
}

void DesktopHeight(FunctionCall& call)
{
    call.ReturnInt(platform::desktopHeight());
}

void GetTextBuff(FunctionCall& call)
{
    call.ReturnText(call.ex.screen ? call.Screen().Console().TextBuffer() : AnsiString());
}

void GetCbText(FunctionCall& call)
{
    call.ReturnText(platform::clipboardText());
}

// evaluate (text): the value of the expression in the text, evaluated by an
// evaluator of its own over the run's variables and arrays, so that evaluate
// may call evaluate. An error inside ends nothing: it becomes error 88 when
// the run traps errors, else a box, and the text itself is the result.
void Evaluate(FunctionCall& call)
{
    const AnsiString text = call.FirstText();
    Expression_Class inner;
    inner.Attach(text.c_str(), call.ex.currentVariables, call.ex.arrays);
    inner.screen = call.ex.screen;
    inner.robot = call.ex.robot;
    inner.runState = call.ex.runState;
    // The inner error shows no box of its own.
    inner.trapFlag = 1;
    Value value;
    bool failed = false;
    try {
        failed = inner.Evaluate(value) == Tag::Omitted;
    } catch (const RunTimeError&) {
        failed = true;
    }
    if (!failed) {
        call.result = std::move(value);
        return;
    }
    call.ex.customErrorText = "Error In Evaluate(" + text + ")";
    if (call.ex.trapFlag) call.Raise(ErrorCode::EvaluateError);
    platform::messageBoxes().show(call.ex.customErrorText, "Durnix Evaluate() Error",
        platform::MessageFlags::Ok | platform::MessageFlags::IconError);
    call.ReturnText(text);
}

// The variable a name gives: the current scope first, then, for a name
// written with a leading "_", the outer scope without it.
Variables_Class::Node* FindNamed(const Expression_Class& ex, std::string_view name)
{
    if (ex.currentVariables) {
        if (Variables_Class::Node* node = ex.currentVariables->Find(name)) return node;
    }
    if (!name.empty() && name[0] == '_' && ex.outerVariables) return ex.outerVariables->Find(name.substr(1));
    return nullptr;
}

void TypeOfNamed(FunctionCall& call, std::string_view name)
{
    const Variables_Class::Node* node = FindNamed(call.ex, name);
    call.ReturnInt(node ? node->type : 0);
}

void VType(FunctionCall& call)
{
    TypeOfNamed(call, call.FirstText());
}

void VarType(FunctionCall& call)
{
    TypeOfNamed(call, call.FirstText());
}

void VarValue(FunctionCall& call)
{
    const Variables_Class::Node* node = FindNamed(call.ex, call.FirstText());
    if (!node || node->type == 0) call.Raise(ErrorCode::VariableNotInitialized);
    Variables_Class::CopyValue(*node, call.result);
}

// varslist ([outer]): one line per variable of the scope, each name followed
// by CR LF; an empty scope gives one line with only the prefix.
void VarsList(FunctionCall& call)
{
    const bool outer = call.ex.argFloat[0] != 0;
    Variables_Class* table = outer ? call.ex.outerVariables : call.ex.currentVariables;
    const AnsiString prefix = outer ? "_" : "";
    AnsiString list;
    AnsiString name;
    AnsiString valueText;
    char tag = 0;
    bool more = true;
    while (more) {
        name.clear();
        more = table && table->NextAsText(name, tag, valueText);
        list += prefix + name + "\r\n";
    }
    call.ReturnText(std::move(list));
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Wavbusy, FirstArgument::None, WavBusy },
    { FunctionCode::Abortflag, FirstArgument::None, AbortFlag },
    { FunctionCode::Keydown, FirstArgument::OptionalMinusOne, KeyDown },
    { FunctionCode::Desktopwidth, FirstArgument::None, DesktopWidth },
    { FunctionCode::Desktopheight, FirstArgument::None, DesktopHeight },
    { FunctionCode::Gettextbuff, FirstArgument::None, GetTextBuff },
    { FunctionCode::Getcbtext, FirstArgument::None, GetCbText },
    { FunctionCode::Evaluate, FirstArgument::Text, Evaluate },
    { FunctionCode::Vtype, FirstArgument::VariableName, VType },
    { FunctionCode::Vartype, FirstArgument::Text, VarType },
    { FunctionCode::Varvalue, FirstArgument::Text, VarValue },
    { FunctionCode::Varslist, FirstArgument::Signature, VarsList },
};

} // namespace

std::span<const FunctionEntry> SystemFunctionEntries()
{
    return entries;
}
