#include "ide/editor/EditorCore.h"

#include <gtest/gtest.h>

#include <random>

// A fixed-seed storm of keys, characters, block operations, drops and undos in
// every selection mode, with and without word wrap: nothing may throw or leave
// the caret outside the text, and undoing everything gives back the text it
// started from.
TEST(EditorStorm, RandomEditingNeverFailsAndUndoesCompletely)
{
    struct Model : EditorCore {
        Model() { SetMetrics(1, 1, 5, 12); }
    };
    static const int Keys[] = { Vk::Left, Vk::Right, Vk::Up, Vk::Down, Vk::Home, Vk::End, Vk::Prior, Vk::Next,
        Vk::Delete, Vk::Tab, Vk::Insert, Vk::KeyY, Vk::Digit0 + 2, Vk::KeyA, Vk::KeyZ };
    static const int Shifts[]
        = { 0, ShiftState::Shift, ShiftState::Alt, ShiftState::Ctrl, ShiftState::Ctrl | ShiftState::Shift };
    static const char Chars[] = { 'a', ' ', '\b', '\r', '\t', '\x01', '(', '\xE9' };
    for (int round = 0; round < 6; ++round) {
        std::mt19937 rng(1234 + round);
        auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        Model ed;
        ed.SetUndoLimit(100000);
        const AnsiString start = "alpha beta\r\n\tgamma\r\n\r\n  delta (x) 'q\r\nend";
        ed.SetText(start);
        const AnsiString original = ed.Lines().GetText();
        ed.SetWordWrap(round % 3 == 2);
        ed.EnterSmart = round % 2 == 1;
        ed.TabBehavior = round % 2 ? tbSmart : tbFixed;
        for (int step = 0; step < 1500; ++step) {
            ed.SelType = static_cast<TSelType>(pick(4));
            switch (pick(9)) {
            case 0:
            case 1:
            case 2: {
                int key = Keys[pick(std::size(Keys))];
                const int shift = Shifts[pick(std::size(Shifts))];
                if (key == Vk::KeyZ) continue; // undo is checked at the end
                if (!ed.KeyPreview(key, shift)) ed.KeyDown(key, shift);
                break;
            }
            case 3:
            case 4:
                ed.KeyPress(Chars[pick(std::size(Chars))]);
                break;
            case 5:
                ed.SetBlockBegin({ pick(20) - 2, pick(12) - 2 });
                ed.SetBlockEnd({ pick(20), pick(12) });
                break;
            case 6:
                ed.DropBlock({ pick(20), pick(10) });
                break;
            case 7:
                if (pick(2))
                    ed.CutToClipboard();
                else
                    ed.PasteFromClipboard();
                break;
            case 8:
                ed.SetSelText(pick(2) ? "x\r\ny" : "");
                break;
            }
            ASSERT_LE(ed.CaretY(), std::max(0, ed.Lines().Count()));
            ASSERT_GE(ed.CaretX(), 0);
        }
        ASSERT_EQ(ed.UndoList().BlockDepth(), 0);
        while (ed.UndoList().StepCount() > 0)
            ed.Undo();
        ed.SetWordWrap(false);
        EXPECT_EQ(ed.Lines().GetText(), original) << "round " << round;
    }
}
