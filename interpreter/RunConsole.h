#pragma once

#include "base/Values.h"

enum class NewLine { No, Yes };

// The console of the run-time screen: printing, placed text, the lines and
// keys a program reads, the text buffer of everything printed and the strip
// that holds the input box. Every call happens on the interpreter's thread.
class RunConsole {
public:
    virtual ~RunConsole() = default;

    virtual void PrintText(const AnsiString& text, NewLine newLine) = 0;
    virtual void TextAt(int x, int y, const AnsiString& text) = 0;
    virtual AnsiString InputLine(const AnsiString& prompt) = 0;
    virtual AnsiString InputLineInPlace(const AnsiString& prompt) = 0;
    virtual int WaitKeyWithPrompt(const AnsiString& prompt) = 0;
    virtual int PrintAndWaitKey(const AnsiString& text) = 0;
    // -1 the background colour. The console starts again at the top left.
    virtual void ClearScreen(int colour) = 0;

    // The text buffer: everything printed, rows joined by CR LF.
    virtual AnsiString TextBuffer() const = 0;
    virtual void SetTextBuffer(const AnsiString& text) = 0;
    // The prompt label beside the input box, and the input box's text.
    virtual void SetPromptText(const AnsiString& text) = 0;
    virtual void SetInputText(const AnsiString& text) = 0;
    // Whether the strip that holds the input box is shown.
    virtual bool ControlBarVisible() const = 0;
};
