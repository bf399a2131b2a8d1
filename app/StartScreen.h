#pragma once

#include <QWidget>
#include <array>
#include <optional>

class ClickLabel;
class QLabel;
struct Platform;
struct ProgramState;

// The start screen: the twelve exercises with their scores, the score-file entries, help,
// the web link and the end of the program.
class frmStart : public QWidget
{
    Q_OBJECT

public:
    frmStart(ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    // Version text, dialog folder, and the twelve scores from the settings store.
    void load();
    // Shows ScoreTable(k) in lblPunkte(k) with `digits` digits.
    void showScore(int k);
    void showScoreDigits(int k, int digits);
    // Menu entries black, exercise entries dark red.
    void subSchwarz();

    // "Punktestände laden": takes all twelve scores from a score file, which then becomes the
    // current one; a file that cannot be read whole, or a cancelled dialog, changes nothing.
    void loadScoreFile();
    // "Neue Punktestandsdatei": writes the scores to a new file, which then becomes the current
    // one; a failed write or a cancelled dialog leaves the current file as it was.
    void newScoreFile();
    // "Punktestände zurücksetzen": after a Yes, every score becomes 0, in the settings store too.
    void resetScores();

    // The file dialog's state, kept between uses within a run.
    struct DialogState
    {
        QString folder;
        QString fileName;
    };
    DialogState dlgDatei;

    std::array<ClickLabel*, 13> exerciseEntries {}; // 1..12
    std::array<QLabel*, 13> lblText {}; // 1..12
    std::array<QLabel*, 13> lblPunkte {}; // 1..12
    ClickLabel* lblBenLaden;
    ClickLabel* lblBenSpe;
    ClickLabel* lblPunkteLoeschen;
    ClickLabel* lblHilfe;
    ClickLabel* lblProgrammende;
    ClickLabel* lblWeb;
    std::array<QLabel*, 4> Label1 {}; // indices 0, 1 and 3
    QLabel* lblVersion;
    QLabel* lblCopyrights;
    QLabel* lblCopyrights2;

Q_SIGNALS:
    void exerciseRequested(int k);
    void endRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ClickLabel* menuLabel(const char* name, const QString& text, const QColor& colour);
    // The open or save dialog; remembers the name chosen. Nothing when cancelled.
    std::optional<QString> chooseScoreFile(bool forSaving);
    void warn(const QString& text, const QString& title);
    void layoutMenuRow();
    void subHilfe();
    // Writes the scores to the current score file before `next` replaces it; false (and a
    // message) when that failed.
    bool handOverCurrentFile(const QString& next, const QString& title);

    ProgramState& m_state;
    Platform& m_platform;
    QPixmap m_background;
};
