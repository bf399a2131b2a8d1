#pragma once

#include "frame/ExerciseScreen.h"
#include "language/TypingExercise.h"

#include <vector>

class Folders;
class QLabel;

// Exercise 1, "Abtippübungen": the model text above, the typed line below it, character under
// character.
class frmUebung01 : public ExerciseScreen
{
    Q_OBJECT

public:
    frmUebung01(ProgramState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    QString loadExercise() override;
    void keyPressed(QChar c) override;

private:
    // A font size and what the text box holds at it.
    struct Layout
    {
        qreal points;
        int columns;
        int lines;
    };

    // The largest size at which the text fits the box whole, or nullptr.
    const Layout* layoutFor(const QString& text) const;
    // The task file, refused when a text does not fit the box at any size.
    TaskFile::Loader checkedTexts(const Folders& folders);
    void showText();
    QString typedLine() const;

    TypingExercise m_typing;
    QLabel* m_vorgabe;
    QLabel* m_eingabe;
    std::vector<Layout> m_layouts; // largest font first
    QList<qsizetype> m_lineStarts;
};
