#pragma once

#include "interpreter/ControlCreation.h"
#include "screen/controls/ProgramControl.h"

#include <QGroupBox>

#include <functional>
#include <vector>

class QRadioButton;

// A framed group of radio buttons a program makes. The buttons stand in
// columns filled top to bottom; at most one is selected.
class RadioGroup : public QGroupBox, public ProgramControl {
public:
    RadioGroup(const ControlSurface& surface, const NewRBGroup& made);

    // Set by the screen: the selection changed, by a click or by the program.
    enum class By { User, Program };
    std::function<void(By)> onClick;

    void SetButtons(const AnsiString& lines);

    void Action(ControlProperty action, const AnsiString& text) override;
    void SetProperty(ControlProperty property, int value) override;
    int Property(ControlProperty property) const override;
    void SetDimensions(int left, int top, int width, int height) override;
    AnsiString Text(ControlProperty property, int n) const override;

    // The buttons, to click on them.
    const std::vector<QRadioButton*>& Buttons() const { return buttons; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void AddButton(const QString& caption);
    void RemoveButton(size_t index);
    // Selects button index (-1 none) and runs the click handler on a change.
    void Select(int index, By by);
    int Selected() const { return selected; }
    void PlaceButtons();
    // Button n counted from 1, beyond the end the last; -1 for n below 1 or
    // no buttons.
    int IndexOf(int n) const;

    const Palette& palette;
    std::vector<QRadioButton*> buttons;
    int columns = 1;
    int selected = -1;
};
