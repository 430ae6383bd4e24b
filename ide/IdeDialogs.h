#pragma once

#include "base/Values.h"

#include <deque>
#include <vector>

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
};

class QtIdeDialogs : public IdeDialogs {
public:
    AnsiString OpenFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& folder) override;
    AnsiString SaveFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& proposed) override;
    AnsiString Directory(const AnsiString& start) override;
    bool Colour(int& colour) override;
    bool FontName(AnsiString& name) override;
};

// Answers each dialog with the next queued answer (empty, that is cancelled,
// when none is left) and records the titles and proposals it was shown.
class ScriptedIdeDialogs : public IdeDialogs {
public:
    std::deque<AnsiString> fileNames;
    // The colour dialog's answers; with none left it is cancelled.
    std::deque<int> colours;
    std::vector<AnsiString> shown;
    AnsiString OpenFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& folder) override;
    AnsiString SaveFileName(const AnsiString& title, const AnsiString& filter, const AnsiString& proposed) override;
    AnsiString Directory(const AnsiString& start) override;
    bool Colour(int& colour) override;
    bool FontName(AnsiString& name) override;

private:
    AnsiString Next();
};
