#pragma once

#include "ide/PreferencesModel.h"
#include "ide/editor/SchemePainter.h"

#include <QDialog>

class IdeDialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TDurnixEditForm;
class TsxEditor;

// The preferences dialog: edits a copy of the editor's settings, shows them
// live on its own sample editor and painter, and writes them back to the
// editor only when Apply is pressed.
class TPreferencesForm : public QDialog {
public:
    TPreferencesForm(TDurnixEditForm& editor, IdeDialogs& dialogs, QWidget* parent = nullptr);
    ~TPreferencesForm() override;

    // The working copy, for tests.
    PreferencesModel& Model() { return model; }
    // Shows the selected element of the style list in the colour and style boxes.
    void ShowElement(int item);
    // A click on a colour field: the colour dialog, then the field's effect.
    void ColourFieldClick(QPushButton* field);
    void ApplyClick();
    void PrintBoxClick();
    void SetToEditorColorClick();
    void NoHighLightingClick();
    void ClearListClick();
    // The hint of a control, as the hint panel shows it.
    void ShowHint(QWidget* control);

    QTabWidget* SettingsPages = nullptr;
    QCheckBox* SmartTabbing = nullptr;
    QSpinBox* TabSize = nullptr;
    QCheckBox* AutoLoadFile = nullptr;
    QCheckBox* AutoIndent = nullptr;
    QCheckBox* RememberMetrics = nullptr;
    QCheckBox* HelpMetrics = nullptr;
    QCheckBox* AutoHelpFind = nullptr;
    QSpinBox* MaxRecentFiles = nullptr;
    QPushButton* ClearList = nullptr;
    QPushButton* DefaultParams = nullptr;
    QCheckBox* MarginAlwaysOn = nullptr;
    QCheckBox* LineNumbers = nullptr;
    QSpinBox* MarginSize = nullptr;
    QPushButton* MarginColor = nullptr;
    QPushButton* EditColor = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* TextColor = nullptr;
    QPushButton* BackgroundColor = nullptr;
    QCheckBox* Bold = nullptr;
    QCheckBox* Italic = nullptr;
    QCheckBox* Underlined = nullptr;
    QCheckBox* StrikeOut = nullptr;
    QSpinBox* TextSize = nullptr;
    QPushButton* SetToEditorColor = nullptr;
    QPushButton* NoHighLighting = nullptr;
    QPushButton* DefaultColors = nullptr;
    TsxEditor* Memo1 = nullptr;
    QCheckBox* PrintColor = nullptr;
    QCheckBox* PrintPageNumbers = nullptr;
    QCheckBox* PrintSyntaxColor = nullptr;
    QCheckBox* PrintTimeDate = nullptr;
    QPushButton* DefaultPrinting = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* DefaultALL = nullptr;
    QPushButton* Apply = nullptr;
    QLabel* HintLine1 = nullptr;
    QLabel* HintLine2 = nullptr;
    QCheckBox* NoHints = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* GeneralPage();
    QWidget* EditorPage();
    QWidget* PrintingPage();
    QWidget* InstructionsPage();
    // Model to controls, and the sample to the model.
    void Refresh();
    void UpdateSample();
    // Controls to model, after the user changed one.
    void ReadControls();
    void ApplyToElement();
    void Changed();
    void SelectSampleLastLine();
    static void ShowColour(QPushButton* field, int colour);
    static int FieldColour(const QPushButton* field);

    TDurnixEditForm& editor;
    IdeDialogs& dialogs;
    PreferencesModel model;
    TsxPainter sxPainter1;
    bool firstActivation = true;
    // Off while the dialog itself sets its controls.
    bool live = false;
};
