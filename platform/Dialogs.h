#pragma once

#include "base/Values.h"

#include <deque>
#include <vector>

// Every file and folder dialog of a run goes through this one interface, so
// that a windowed run shows real dialogs, the headless runner asks on its
// standard streams and tests answer from a script.
namespace platform {

enum class FileDialogKind { Open, Save, Folder };

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

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen path (with "/" separators), empty when the user cancelled.
    virtual AnsiString chooseFile(const FileDialogRequest& request) = 0;
};

// The dialogs in use; the headless ones until a GUI installs its own.
Dialogs& dialogs();
void setDialogs(Dialogs* dialogs);

// Writes "TITLE: INITIAL" to standard error and takes the next line of standard
// input as the typed name, made absolute against the current folder; an empty
// line or the end of input is a cancel.
class HeadlessDialogs : public Dialogs {
public:
    AnsiString chooseFile(const FileDialogRequest& request) override;
};

// Keeps every request for a test to inspect and answers with the queued
// answers, first to last; cancels once they run out.
class ScriptedDialogs : public Dialogs {
public:
    std::vector<FileDialogRequest> requests;
    std::deque<AnsiString> answers;
    AnsiString chooseFile(const FileDialogRequest& request) override;
};

// The Qt name filters of a Windows filter text: "Name|*.a;*.b|..." becomes
// "Name (*.a *.b)", one per pair.
std::vector<AnsiString> QtNameFilters(const AnsiString& filter);

} // namespace platform
