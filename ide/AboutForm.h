#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the program's name and version, what it is, and the
// libraries it runs on. Modal, centred on the window it is shown over; OK,
// Enter and Esc close it.
class TAboutForm : public QDialog {
public:
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

    // Reads the library versions afresh (the media module may have come in
    // since), centres the box on `owner` and shows it modally.
    void ShowModalOver(const QWidget& owner);

    // The environment's about box, or, when the environment has none (an
    // editor window made on its own), one made for this showing.
    static void ShowFor(const QWidget& owner);

private:
    void FillLibraries();

    QLabel* libraries = nullptr;
    QPushButton* okButton = nullptr;
};

// The about box of the environment, made at start-up; null before and after.
extern TAboutForm* AboutForm;
