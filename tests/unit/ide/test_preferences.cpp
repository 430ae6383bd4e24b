#include "ide/DurnixEditForm.h"
#include "ide/IdeDialogs.h"
#include "ide/PreferencesForm.h"
#include "ide/editor/SxEditor.h"
#include "platform/MessageBoxes.h"
#include "platform/gui/Colors.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The editor window and its preferences dialog, shown without a modal loop.
class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setMessageBoxes(&boxes);
        IdePaths paths = IdePaths::ForExecutable(folder.path().toStdString() + "/quorvatine");
        paths.settingsFile = folder.path().toStdString() + "/Quorvatine.INI";
        editor = std::make_unique<TDurnixEditForm>(paths, dialogs);
        form = editor->PreferencesForm();
        form->show();
    }
    void TearDown() override
    {
        form->hide();
        editor.reset();
        platform::setMessageBoxes(nullptr);
    }

    IdeSettings EditorSettings() const { return editor->CollectSettings(); }
    int Attribute(const IdeSettings& s, int attributeClass, int part) const
    {
        return s.values[static_cast<size_t>(IdeSettings::FirstAttribute + 3 * attributeClass + part)];
    }

    QTemporaryDir folder;
    platform::RecordingMessageBoxes boxes;
    ScriptedIdeDialogs dialogs;
    std::unique_ptr<TDurnixEditForm> editor;
    TPreferencesForm* form = nullptr;
};

TEST_F(PreferencesTest, ApplyWritesBackAndCancelLeavesTheEditorAlone)
{
    EXPECT_FALSE(form->Apply->isEnabled());
    EXPECT_EQ(form->ListBox1->currentRow(), 2);
    const IdeSettings before = EditorSettings();

    form->TabSize->setValue(7);
    form->TextSize->setValue(15);
    form->LineNumbers->setChecked(false);
    EXPECT_TRUE(form->Apply->isEnabled());
    form->hide(); // Cancel
    EXPECT_EQ(EditorSettings().values, before.values);

    // The next showing reads the editor again.
    form->show();
    EXPECT_EQ(form->TabSize->value(), before[IdeSettings::TabWidth]);
    form->TabSize->setValue(7);
    form->TextSize->setValue(15);
    form->LineNumbers->setChecked(false);
    form->ApplyClick();
    const IdeSettings after = EditorSettings();
    EXPECT_EQ(after[IdeSettings::TabWidth], 7);
    EXPECT_EQ(editor->Editor()->TabScale(), 7);
    EXPECT_EQ(after[IdeSettings::FontSize], 15);
    EXPECT_FALSE(editor->Editor()->GutterShowLines());
}

TEST_F(PreferencesTest, TheMarginFollowsItsBoxesOnlyOnceOneIsTouched)
{
    // The editor may show its margin with neither box checked (as a fresh
    // start does); a change elsewhere must not take the margin away.
    editor->hide();
    IdeSettings start = EditorSettings();
    start.SetFlag(IdeSettings::MarginAlwaysOn, false);
    start.SetFlag(IdeSettings::GutterLineNumbers, false);
    start.SetFlag(IdeSettings::GutterShown, true);
    editor->ApplySettings(start);
    form->hide();
    form->show();
    EXPECT_TRUE(form->Memo1->Gutter());
    form->TextSize->setValue(13);
    EXPECT_TRUE(form->Memo1->Gutter());
    form->ApplyClick();
    EXPECT_TRUE(editor->Editor()->Gutter());

    form->show();
    form->LineNumbers->setChecked(true);
    form->LineNumbers->setChecked(false);
    EXPECT_FALSE(form->Memo1->Gutter());
    form->ApplyClick();
    EXPECT_FALSE(editor->Editor()->Gutter());
}

TEST_F(PreferencesTest, ANewBackgroundCarriesAlongWhatHadTheOldOne)
{
    form->DefaultALL->click();
    form->ListBox1->setCurrentRow(1); // Comments get their own background
    dialogs.colours = { 0x123456, 0x00FF00 };
    form->ColourFieldClick(form->BackgroundColor);
    form->ListBox1->setCurrentRow(3); // Numbers still have the editor's
    form->ColourFieldClick(form->EditColor);
    form->ApplyClick();
    const IdeSettings s = EditorSettings();
    EXPECT_EQ(s[IdeSettings::BackgroundColour], 0x00FF00);
    EXPECT_EQ(Attribute(s, 0, 1), 0x123456);
    for (int k = 1; k < IdeSettings::AttributeClasses; ++k)
        EXPECT_EQ(Attribute(s, k, 1), 0x00FF00) << k;
    // The background box showed the editor's colour, so it follows.
    form->show();
    form->ShowElement(3);
    EXPECT_EQ(form->BackgroundColor->property("colour").toInt(), 0x00FF00);
}

// A colour field shows exactly its colour, not a shade of it.
TEST_F(PreferencesTest, AColourFieldShowsItsColourExactly)
{
    form->SettingsPages->setCurrentIndex(1);
    for (const int colour : { 0x0000FF, 0xABB077, 0x000000, 0xFFFFFF }) {
        dialogs.colours = { colour };
        form->ColourFieldClick(form->TextColor);
        const QImage shown = form->TextColor->grab().toImage();
        const QRgb middle = shown.pixel(shown.width() / 2, shown.height() / 2);
        EXPECT_EQ(platform::fromQRgb(middle), colour) << std::hex << colour;
    }
}

TEST_F(PreferencesTest, ElementsAndTheirStyles)
{
    form->DefaultALL->click();
    // The highlighted text has colours but no style.
    form->ShowElement(0);
    for (QCheckBox* box : { form->Bold, form->Italic, form->Underlined, form->StrikeOut }) {
        EXPECT_FALSE(box->isEnabled());
        EXPECT_FALSE(box->isChecked());
    }
    EXPECT_EQ(form->BackgroundColor->property("colour").toInt(), 0x944F25);
    EXPECT_EQ(form->TextColor->property("colour").toInt(), 0xFFFFFF);
    // Operators set the symbols and the word operators together.
    form->ShowElement(5);
    EXPECT_TRUE(form->Bold->isEnabled());
    form->Bold->setChecked(false);
    form->Underlined->setChecked(true);
    form->ApplyClick();
    const IdeSettings s = EditorSettings();
    EXPECT_EQ(Attribute(s, 4, 2), 4);
    EXPECT_EQ(Attribute(s, 9, 2), 4);
    EXPECT_EQ(Attribute(s, 0, 0), 0x008080); // comments, from the defaults
    EXPECT_EQ(Attribute(s, 0, 2), 2);

    // All texts like the normal text.
    form->show();
    form->NoHighLightingClick();
    form->ApplyClick();
    const IdeSettings plain = EditorSettings();
    for (int k = 0; k < IdeSettings::AttributeClasses; ++k)
        EXPECT_EQ(Attribute(plain, k, 2), Attribute(plain, 1, 2)) << k;
}

TEST_F(PreferencesTest, PrintBoxesMakeTheWholeOptionSet)
{
    // Every bit set, caption and selection-only among them.
    IdeSettings all = EditorSettings();
    all.Set(IdeSettings::PrintOptions, 0x3F);
    editor->ApplyPreferences(all);
    form->hide();
    form->show();
    PreferencesModel& model = form->Model();
    for (QCheckBox* box : { form->PrintColor, form->PrintPageNumbers, form->PrintSyntaxColor, form->PrintTimeDate })
        EXPECT_TRUE(box->isChecked());
    form->PrintColor->setChecked(false);
    EXPECT_EQ(model.settings[IdeSettings::PrintOptions], 4 | 16 | 32);
    form->PrintColor->setChecked(true);
    EXPECT_EQ(model.settings[IdeSettings::PrintOptions], 1 | 4 | 16 | 32);
    form->PrintTimeDate->setChecked(false);
    form->ApplyClick();
    EXPECT_EQ(editor->PrintOptions(), 1 | 4 | 16);
}

TEST_F(PreferencesTest, HintsSplitAtTheBar)
{
    form->ShowHint(form->Apply);
    EXPECT_EQ(form->HintLine1->text().toStdString(), "Apply The Settings");
    EXPECT_EQ(form->HintLine2->text().toStdString(), "And Close");
    form->ShowHint(form->SettingsPages->widget(0)->findChild<QLabel*>());
    EXPECT_TRUE(form->HintLine1->text().isEmpty());
    form->ShowHint(form->TextSize);
    EXPECT_EQ(form->HintLine1->text().toStdString(), "Text Size In Points");
    EXPECT_TRUE(form->HintLine2->text().isEmpty());
}

} // namespace
