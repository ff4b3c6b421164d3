#pragma once

#include <QFileDialog>

// The folder chooser of the options dialog: the user picks a folder or types a name; a
// typed folder that does not exist is created, with its missing parents, when the user
// agrees to the question. The program runs it through chooseFolder (ui/seams.h).
class FolderChooser : public QFileDialog {
    Q_OBJECT
public:
    FolderChooser(QWidget* parent, const QString& startFolder);

    // The accepted folder (exists by then).
    QString chosenFolder() const { return chosen_; }

    // Makes this dialog the one the program shows through the seam (ui/seams.h).
    static void registerAsDefault();

    static QString caption();
    static QString createQuestion();
    static QString createFailedText();

public slots:
    void accept() override;

private:
    QString chosen_;
};
