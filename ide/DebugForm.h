#pragma once

#include "base/Values.h"
#include "interpreter/RunHooks.h"

#include <QWidget>

#include <functional>

class Expression_Class;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class TVTableForm;
class Variables_Class;

// The debug window: the trace of the statements a stepping run stopped at,
// the watch expressions and the way into the variables window. A run waits in
// it (at a step, a debug statement or after an error while stepping) until
// Step, DebugOff or closing the window lets it go on, or the run is stopped.
//
// The run's evaluator and variable table are held only during a wait: every
// way out of a wait clears both, so nothing here reaches a finished run.
class TDebugForm : public QWidget {
public:
    // `variablesWindow` is the window that View Variables Table fills.
    explicit TDebugForm(TVTableForm& variablesWindow, QWidget* parent = nullptr);
    ~TDebugForm() override;

    void AddTraceLine(const AnsiString& text);
    void ResetView();
    void FillVariablesTable();

    // --- The run's side (the step hook, the debug statement, the Run command) ---
    void PrepareForRun();
    void StepAt(int line, int column, int length, const AnsiString& trace, Variables_Class* variables,
        Expression_Class* evaluator, const bool& stopped);
    void DebugWait(
        const AnsiString& text, Variables_Class* variables, Expression_Class* evaluator, const bool& stopped);
    void PostMortem(Variables_Class* variables, Expression_Class* evaluator);
    void ForgetRun();

    bool DebugOnFlag() const { return debugOn; }
    void SetDebugOn(bool on) { debugOn = on; }
    bool SteppingFlag() const { return stepping; }
    void SetStepping(bool on) { stepping = on; }
    bool Waiting() const { return waiting; }
    bool Stopped() const { return variables != nullptr; }

    // --- Commands ---
    void StepBtnClick();
    void DebugOffBtnClick();
    void ClearBtnClick();
    void EvaluateBClick();
    void ViewVTableClick();

    // Called when a wait begins, after the window is shown: tests answer the
    // wait from here.
    std::function<void()> onWait;
    // The environment's side: select a statement in the editor without taking
    // the focus, and bring up the editor or the run-time screen.
    std::function<void(int line, int column, int length)> selectInEditor;
    std::function<void()> showEditor;
    std::function<void()> showTerminal;

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* DebugOffBtn = nullptr;
    QPushButton* ClearBtn = nullptr;
    QPushButton* ShowTerminalScreen = nullptr;
    QPushButton* ShowEditorScreen = nullptr;
    QPushButton* StepBtn = nullptr;
    QCheckBox* IgnoreEmpties = nullptr;
    QCheckBox* IgnoreComments = nullptr;
    QCheckBox* AutoEvaluateExpressions = nullptr;
    QPushButton* EvaluateB = nullptr;
    QLineEdit* ExpressionsList = nullptr;
    QPushButton* ViewVTable = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Shows the window and processes events until continue is set or
    // `stopped` becomes true, sleeping between events.
    void Wait(const bool& stopped);
    void Hold(Variables_Class* stopVariables, Expression_Class* stopEvaluator);
    void ScrollTraceToEnd();

    TVTableForm& vtable;
    bool hiddenByStep = false;
    bool evaluateAtNextShow = false;
    bool debugOn = false;
    bool continueFlag = false;
    bool stepping = false;
    bool waiting = false;
    Expression_Class* evaluator = nullptr;
    Variables_Class* variables = nullptr;
};

// The debug window as the interpreter's debug hook.
class DebugWindowHook : public DebugHook {
public:
    explicit DebugWindowHook(TDebugForm& window)
        : form(window)
    { }
    void PrepareForRun() override { form.PrepareForRun(); }
    void CloseAfterRun() override { form.ForgetRun(); }
    void CloseWindow() override;
    void PostMortem(Variables_Class* variables, Expression_Class* evaluator) override
    {
        form.PostMortem(variables, evaluator);
    }
    bool SteppingOn() const override { return form.SteppingFlag(); }
    void SetStepping(bool on) override { form.SetStepping(on); }
    bool DebugOn() const override { return form.DebugOnFlag(); }
    void SetDebugOn(bool on) override { form.SetDebugOn(on); }
    bool IgnoreComments() const override;
    bool IgnoreEmpties() const override;
    void StepAt(int line, int column, int length, const AnsiString& trace, Variables_Class* variables,
        Expression_Class* evaluator, const bool& stopped) override
    {
        form.StepAt(line, column, length, trace, variables, evaluator, stopped);
    }
    void DebugWait(
        const AnsiString& text, Variables_Class* variables, Expression_Class* evaluator, const bool& stopped) override
    {
        form.DebugWait(text, variables, evaluator, stopped);
    }

private:
    TDebugForm& form;
};

// The one debug window, set while it exists.
extern TDebugForm* DebugForm;
