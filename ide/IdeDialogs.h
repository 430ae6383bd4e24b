#pragma once

#include "base/Values.h"

#include <deque>
#include <vector>

class QPrinter;

// What the user chose in the print dialog.
struct PrintChoice {
    enum class Range { All, Pages, Selection };
    Range range = Range::All;
    int fromPage = 0;
    int toPage = 0;
    int copies = 1;
};

// The environment's file, folder, colour and font dialogs, behind one
// interface: the windows use Qt's dialogs, tests answer from a script. Names
// are file-system bytes. An empty answer means the dialog was cancelled.
class IdeDialogs {
public:
    virtual ~IdeDialogs() = default;
    virtual AnsiString OpenFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& folder) = 0;
    virtual AnsiString SaveFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& proposed) = 0;
    virtual AnsiString Directory(const AnsiString& start) = 0;
    // The chosen colour (a Windows colour value); `colour` holds the start
    // value and keeps the dialog's value even when it was cancelled.
    virtual bool Colour(int& colour) = 0;
    virtual bool FontName(AnsiString& name) = 0;
    // The print dialog on the printer for a text of totalPages pages; the
    // selection range is offered when `selection` is set. False: cancelled.
    virtual bool Print(QPrinter& printer, int totalPages, bool selection, PrintChoice& choice) = 0;
    virtual bool PrinterSetup(QPrinter& printer) = 0;
};

class QtIdeDialogs : public IdeDialogs {
public:
    AnsiString OpenFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& folder) override;
    AnsiString SaveFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& proposed) override;
    AnsiString Directory(const AnsiString& start) override;
    bool Colour(int& colour) override;
    bool FontName(AnsiString& name) override;
    bool Print(QPrinter& printer, int totalPages, bool selection, PrintChoice& choice) override;
    bool PrinterSetup(QPrinter& printer) override;
};

// Answers each dialog with the next queued answer (empty, that is cancelled,
// when none is left) and records the titles and proposals it was shown.
class ScriptedIdeDialogs : public IdeDialogs {
public:
    std::deque<AnsiString> fileNames;
    // The colour dialog's answers; with none left it is cancelled.
    std::deque<int> colours;
    // The print dialog's answers; with none left it is cancelled.
    std::deque<PrintChoice> printChoices;
    std::vector<AnsiString> shown;
    AnsiString OpenFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& folder) override;
    AnsiString SaveFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& proposed) override;
    AnsiString Directory(const AnsiString& start) override;
    bool Colour(int& colour) override;
    bool FontName(AnsiString& name) override;
    bool Print(QPrinter& printer, int totalPages, bool selection, PrintChoice& choice) override;
    bool PrinterSetup(QPrinter& printer) override;

private:
    AnsiString Next();
};
