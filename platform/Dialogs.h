#pragma once

#include "base/Values.h"

#include <cstdio>
#include <deque>
#include <vector>

// Every modal dialog that a running program opens goes through this one
// interface, like the message boxes: a windowed run shows real dialogs, the
// headless runner writes them to standard error and answers from standard
// input, and tests script the answers.
namespace platform {

// What the run-time message form shows. One-shot fields of -1 take the form's
// defaults.
enum class FileDialogKind { Open, Save, Folder };

// A file or folder dialog.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    AnsiString title;
    // The initial file name (a folder dialog: the initial folder).
    AnsiString initialName;
    // Windows filter text, "Name|*.a;*.b|Name|*.c"; empty for none.
    AnsiString filter;
    // 1-based index into the filter's pairs.
    int filterIndex = 1;
    // The folder the dialog starts in; the current folder when empty.
    AnsiString folder;
};

struct MessageFormRequest {
    AnsiString caption = "Quorvatine Message ";
    // mode 1 shows `text`; any other mode loads `rtfFile` (a rich-text or plain
    // text file).
    int mode = 1;
    AnsiString text;
    AnsiString rtfFile;
    int columns = 0;
    int lines = 0;
    int top = -1;
    int left = -1;
    int width = -1;
    int height = -1;
    int wordWrap = -1;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The message form: 1 after OK, 0 after Cancel or a close.
    virtual int ShowMessageForm(const MessageFormRequest& request) = 0;
    // The input dialog at screen position x, y (negative: centred), with a
    // prompt, an initial text and a width (50 or less: fitted); returns the
    // answer, the initial text when the user escaped.
    virtual AnsiString AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width) = 0;
    // The plain input box: the entered text, or `fallback` when cancelled.
    virtual AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& fallback) = 0;
    // The colour dialog preset to a colour; the preset when cancelled.
    virtual int PromptColor(int preset) = 0;
    // The printer set-up dialog of the screen's printer.
    virtual void PrinterSetup() = 0;
    // A file or folder dialog: the chosen path (with "/" separators), empty
    // when the user cancelled.
    virtual AnsiString chooseFile(const FileDialogRequest& request) = 0;
};

// The dialogs in use; headless ones (on standard input and error) until a GUI
// installs its own.
Dialogs& dialogs();
void setDialogs(Dialogs* dialogs);

// The text a message form request shows: `text` in mode 1, else the file's
// plain text (a rich-text file read as its plain text; "" when unreadable).
AnsiString MessageFormText(const MessageFormRequest& request);

// Writes "CAPTION: TEXT" to `err` (CR LF as line ends) for every dialog, then
// answers: the message form OK; input dialogs the next line of `in`, at its
// end the default; the colour dialog a line that reads as a number, else the
// preset. Running out of input never stops anything.
class HeadlessDialogs : public Dialogs {
public:
    HeadlessDialogs(FILE* input = stdin, FILE* errors = stderr)
        : in(input)
        , err(errors)
    { }
    int ShowMessageForm(const MessageFormRequest& request) override;
    AnsiString AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width) override;
    AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& fallback) override;
    int PromptColor(int preset) override;
    void PrinterSetup() override { }
    // "TITLE: INITIAL" on the error stream, then the next input line as the
    // typed name, made absolute against the current folder; an empty line or
    // the end of input is a cancel.
    AnsiString chooseFile(const FileDialogRequest& request) override;

private:
    void Write(const AnsiString& caption, const AnsiString& text);
    // The next line without its end; false at the end of the input.
    bool ReadLine(AnsiString& line);
    FILE* in;
    FILE* err;
};

// Keeps every dialog as one line ("message CAPTION|TEXT", "input X,Y,W|PROMPT|INITIAL"
// ...) and answers from queues; an empty queue gives the default answer.
class ScriptedDialogs : public Dialogs {
public:
    std::vector<AnsiString> shown;
    std::vector<MessageFormRequest> messageForms;
    std::deque<int> messageAnswers;
    std::deque<AnsiString> inputAnswers;
    std::deque<int> colourAnswers;
    int printerSetups = 0;

    int ShowMessageForm(const MessageFormRequest& request) override;
    AnsiString AskInput(int x, int y, const AnsiString& prompt, const AnsiString& initial, int width) override;
    AnsiString InputBox(const AnsiString& caption, const AnsiString& prompt, const AnsiString& fallback) override;
    int PromptColor(int preset) override;
    void PrinterSetup() override { ++printerSetups; }
    // File dialogs: every request kept, answered from `answers` first to
    // last, cancelled once they run out.
    std::vector<FileDialogRequest> requests;
    std::deque<AnsiString> answers;
    AnsiString chooseFile(const FileDialogRequest& request) override;
};

// The Qt name filters of a Windows filter text: "Name|*.a;*.b|..." becomes
// "Name (*.a *.b)", one per pair.
std::vector<AnsiString> QtNameFilters(const AnsiString& filter);

// Line ends CR LF (and lone CR) as "\n", for writing to a terminal.
AnsiString WithNewlines(const AnsiString& text);

} // namespace platform
