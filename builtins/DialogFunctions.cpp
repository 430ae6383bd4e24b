#include "builtins/FunctionFamilies.h"
#include "interpreter/arrays/ArrayResult.h"
#include "platform/Dialogs.h"
#include "platform/MessageBoxes.h"

#include <sys/stat.h>

// The functions that open a modal dialog: the input box, the message box, and
// the run-time message form showing an array, a text file or a text.

namespace {

void StrInput(FunctionCall& call)
{
    const Expression_Class& ex = call.ex;
    const AnsiString caption = ex.argType[0] == Tag::String ? ex.argText[0] : AnsiString("Quorvatine:");
    const AnsiString prompt = ex.argType[1] == Tag::String ? ex.argText[1] : AnsiString("Please enter a value >");
    call.ReturnText(platform::dialogs().InputBox(caption, prompt, ex.argText[2]));
}

// errmsg (message [, caption [, flags]]): the pressed button's identifier minus 1.
void ErrMsg(FunctionCall& call)
{
    const Expression_Class& ex = call.ex;
    call.ReturnInt(platform::messageBoxes().show(ex.argText[0], ex.argText[1], ex.argInt[2]) - 1);
}

// The form's position, size and wrap from arguments 2 to 6: top from the
// fourth argument, left from the third (omitted ones are -1).
platform::MessageFormRequest Placement(const Expression_Class& ex)
{
    platform::MessageFormRequest request;
    request.top = ex.argInt[3];
    request.left = ex.argInt[2];
    request.width = ex.argInt[4];
    request.height = ex.argInt[5];
    request.wordWrap = ex.argInt[6];
    return request;
}

void MsgBox(FunctionCall& call)
{
    const platform::MessageFormRequest placement = Placement(call.ex);
    int result = 0;
    const ArrayResult error = call.ex.arrays
        ? call.ex.arrays->ShowInMessageForm(call.ex.argText[0], result, call.ex.argText[1], &placement)
        : ErrorCode::ArrayNotDefined;
    if (error) call.Raise(*error);
    call.ReturnInt(result);
}

// textbox and stringbox: the form in file mode (2) or text mode (1).
void ShowForm(FunctionCall& call, int mode)
{
    platform::MessageFormRequest request = Placement(call.ex);
    request.mode = mode;
    if (mode == 1)
        request.text = call.ex.argText[0];
    else
        request.rtfFile = call.ex.argText[0];
    request.columns = 100;
    request.lines = 150;
    request.caption = call.ex.argText[1];
    call.ReturnInt(platform::dialogs().ShowMessageForm(request));
}

void TextBox(FunctionCall& call)
{
    struct stat info { };
    if (::stat(call.ex.argText[0].c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        call.Raise(ErrorCode::FileOperationFailed);
    ShowForm(call, 2);
}

void StringBox(FunctionCall& call)
{
    ShowForm(call, 1);
}

constexpr FunctionEntry entries[] = {
    { FunctionCode::Strinput, FirstArgument::Signature, StrInput },
    { FunctionCode::Errmsg, FirstArgument::Signature, ErrMsg },
    { FunctionCode::Msgbox, FirstArgument::Signature, MsgBox },
    { FunctionCode::Textbox, FirstArgument::Signature, TextBox },
    { FunctionCode::Stringbox, FirstArgument::Signature, StringBox },
};

} // namespace

std::span<const FunctionEntry> DialogFunctionEntries()
{
    return entries;
}
