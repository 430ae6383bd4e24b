// Times the editor on a 20,000-line program: opening and colouring it,
// jumping to its end, scrolling through it page by page and typing in its
// middle. Run it under the offscreen platform; it is not part of the tests.

#include "ide/editor/BasicScheme.h"
#include "ide/editor/SchemePainter.h"
#include "ide/editor/SxEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <cstdio>

namespace {

AnsiString SampleProgram(int lines)
{
    static const char* const Body[] = {
        "' comment line",
        "for i = 1 to 100 // loop",
        "  x = sin(i) * 3.25e2 + 0x1F",
        "  print \"value: \", x",
        "/* a block comment",
        "   that spans lines */",
        "next",
        "if a and not b then gosub Work",
    };
    AnsiString text;
    for (int n = 0; n < lines; ++n) {
        text += Body[n % 8];
        text += "\r\n";
    }
    return text;
}

double Milliseconds(QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TsxPainter painter;
    SetupBasicScheme(painter);
    painter.FindWords("Commands")->SetWordsText("print\r\ngosub");
    painter.FindWords("Functions")->SetWordsText("sin");
    painter.FindWords("Statements")->SetWordsText("for\r\nto\r\nnext\r\nif\r\nthen");
    painter.FindWords("WordOperaters")->SetWordsText("and\r\nnot");
    TsxEditor editor;
    editor.resize(1000, 800);
    editor.SetPainter(&painter);
    editor.SetGutterShowLines(true);
    editor.show();
    const AnsiString program = SampleProgram(20000);

    QElapsedTimer timer;
    timer.start();
    editor.SetText(program);
    editor.viewport()->grab();
    std::printf("open and paint first page: %8.2f ms\n", Milliseconds(timer));

    timer.restart();
    editor.SetTopLine(19950);
    editor.viewport()->grab();
    std::printf("jump to the end and paint: %8.2f ms\n", Milliseconds(timer));

    timer.restart();
    int pages = 0;
    for (int top = 0; top < 20000; top += editor.VisibleLines(), ++pages) {
        editor.SetTopLine(top);
        editor.viewport()->grab();
    }
    std::printf("scroll %d pages:         %8.2f ms (%.3f ms a page)\n", pages, Milliseconds(timer),
        Milliseconds(timer) / pages);

    editor.SetBlockBegin({ 4, 10000 });
    timer.restart();
    const int keys = 500;
    for (int k = 0; k < keys; ++k) {
        editor.KeyPress(static_cast<char>('a' + k % 26));
        editor.viewport()->grab();
    }
    std::printf(
        "type %d characters:      %8.2f ms (%.3f ms a key)\n", keys, Milliseconds(timer), Milliseconds(timer) / keys);

    timer.restart();
    for (int k = 0; k < 100; ++k) {
        editor.KeyPress('\r');
        editor.viewport()->grab();
    }
    std::printf("100 Enter keys:            %8.2f ms\n", Milliseconds(timer));

    timer.restart();
    for (int k = 0; k < 100; ++k)
        editor.Undo();
    editor.viewport()->grab();
    std::printf("undo 100 steps:            %8.2f ms\n", Milliseconds(timer));
    return 0;
}
