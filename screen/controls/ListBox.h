#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QComboBox>

#include <functional>

// A drop-down list a program makes. Its items may be kept sorted; items are
// counted from 1, and a number beyond the last names the last.
class ListBox : public QComboBox, public ProgramControl {
public:
    ListBox(const ControlSurface& surface, const NewListBox& made);

    // Set by the screen: the user chose an item (the program's changes are
    // no event).
    std::function<void()> onChoice;

    void Action(ControlProperty action, const AnsiString& text) override;
    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;
    AnsiString Text(ControlProperty property, int n) const override;

private:
    void SortItems();
    // Item n counted from 1, beyond the end the last; -1 for n below 1 or no items.
    int ItemIndex(int n) const;

    const Palette& palette;
    bool sorted = false;
};
