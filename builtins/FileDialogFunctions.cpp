#include "builtins/FunctionFamilies.h"
#include "platform/Dialogs.h"
#include "support/FileNames.h"

#include <cfenv>
#include <unistd.h>

// The file, folder and picture selection dialogs of a program. Each gives the
// chosen path, or an empty text when the user cancelled; a cancel never stops
// the run, and the current folder is the same afterwards.

namespace {

using platform::FileDialogKind;
using platform::FileDialogRequest;

constexpr const char* OpenFilter = "Durnix (*.BAS)|*.BAS|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*";
constexpr const char* SaveFilter = "Quorvatine (*.BAS)|*.BAS|Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*";
constexpr const char* PictureFilter = "Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*";

AnsiString Ask(const FileDialogRequest& request)
{
    const AnsiString folder = FileNames::CurrentFolder();
    AnsiString chosen = platform::dialogs().chooseFile(request);
    if (!folder.empty()) (void)::chdir(folder.c_str());
    // The dialog's widgets may leave floating-point conditions raised; they
    // are not this function's failure.
    std::feclearexcept(FE_ALL_EXCEPT);
    return chosen;
}

// fileprompt and filesave: a text is the initial name, or the initial name and
// "|" and a filter for this call; a number selects the filter's entry.
void FileDialog(FunctionCall& call, FileDialogKind kind, const char* title, const char* filter)
{
    FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.filter = filter;
    if (call.FirstIsText()) {
        const AnsiString& nameAndFilter = call.FirstText();
        const size_t bar = nameAndFilter.find('|');
        request.initialName = nameAndFilter.substr(0, bar);
        if (bar != AnsiString::npos) request.filter = nameAndFilter.substr(bar + 1);
    } else {
        request.filterIndex = call.FirstInt();
    }
    call.ReturnText(Ask(request));
}

void FilePrompt(FunctionCall& call)
{
    FileDialog(call, FileDialogKind::Open, "Quorvatine--File Open", OpenFilter);
}

void FileSave(FunctionCall& call)
{
    FileDialog(call, FileDialogKind::Save, "Quorvatine--Save File", SaveFilter);
}

void DirPrompt(FunctionCall& call)
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Folder;
    request.title = "Quorvatine--Select Folder";
    request.initialName = FileNames::CurrentFolder();
    call.ReturnText(Ask(request));
}

void PromptBmp(FunctionCall& call)
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = "Quorvatine--Open Picture";
    request.filter = PictureFilter;
    request.initialName = (call.first.tag == 0 ? AnsiString("*") : call.FirstText()) + ".Bmp";
    const AnsiString chosen = Ask(request);
    call.ReturnText(chosen.empty() ? chosen : FileNames::ChangeExtension(chosen, ""));
}

const FunctionEntry entries[] = {
    { FunctionCode::Fileprompt, FirstArgument::OptionalOne, FilePrompt },
    { FunctionCode::Filesave, FirstArgument::OptionalOne, FileSave },
    { FunctionCode::Dirprompt, FirstArgument::None, DirPrompt },
    { FunctionCode::Promptbmp, FirstArgument::OptionalText, PromptBmp },
};

} // namespace

std::span<const FunctionEntry> FileDialogFunctionEntries()
{
    return entries;
}
