#pragma once

#include "base/Values.h"
#include "interpreter/ControlCreation.h"
#include "interpreter/ControlProperty.h"

// The controls a program makes, addressed by family and name. A name no
// control of the family has does nothing; getters then give 0 or "".
// Properties are named (control_properties.inc); one of another family, or one
// the call does not serve, does nothing. This class as it is serves a screen
// without controls: it ignores them all.
class RunControls {
public:
    virtual ~RunControls() = default;

    // A new control in the first empty slot of its family.
    virtual void AddControl(const NewControl& control) { (void)control; }
    // The commands (removal, focus, clearing) with an empty text, and the
    // text setters.
    virtual void ControlAction(ControlProperty action, const AnsiString& name, const AnsiString& text)
    {
        (void)action, (void)name, (void)text;
    }
    virtual void SetControlProperty(ControlProperty property, const AnsiString& name, int value)
    {
        (void)property, (void)name, (void)value;
    }
    virtual int GetControlProperty(ControlProperty property, const AnsiString& name)
    {
        (void)property, (void)name;
        return 0;
    }
    // n is the item, button or line of the queries that take one.
    virtual AnsiString GetControlText(ControlProperty property, const AnsiString& name, int n)
    {
        (void)property, (void)name, (void)n;
        return {};
    }
    // Each value that is not negative replaces that dimension.
    virtual void SetControlDim(ControlFamily family, const AnsiString& name, int left, int top, int width, int height)
    {
        (void)family, (void)name, (void)left, (void)top, (void)width, (void)height;
    }
    virtual void SetControlFont(
        ControlFamily family, const AnsiString& name, const AnsiString& font, int size, int style, int colour)
    {
        (void)family, (void)name, (void)font, (void)size, (void)style, (void)colour;
    }
    virtual void SetMemoSelection(const AnsiString& name, int line, int column, int length)
    {
        (void)name, (void)line, (void)column, (void)length;
    }
    virtual void SetMemoSelected(const AnsiString& name, int position, int length)
    {
        (void)name, (void)position, (void)length;
    }
};
