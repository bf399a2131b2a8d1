#pragma once

#include "core/ProgramState.h"

#include <QWidget>
#include <array>
#include <optional>

class ClickLabel;
class HoverGroup;
class QLabel;
struct Platform;

// The start screen: the twelve exercises with their scores, the score-file entries, help,
// the web link and the end of the program.
class StartScreen : public QWidget
{
    Q_OBJECT

public:
    StartScreen(ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    // Version text, dialog folder, and the twelve scores from the settings store; a damaged
    // store is set aside at once, and the user told once the window shows.
    void load();
    // Shows ScoreTable(k) in lblPunkte(k): an exercise screen changed it.
    void showScore(int k);
    // The note that the journal waits for the school's server, shown while it cannot be
    // reached; hidden until told.
    void showServerState(bool reachable);
    // What "Punktestände laden" does once the file is chosen: the scores of the current file
    // are saved, then this file's scores are taken and it becomes the current one.
    void loadScoresFrom(const QString& path);
    // A new child's file at `path` becomes the current one with zero scores, after the scores
    // of the current file were saved there. A file that cannot be written changes nothing.
    void startNewChild(const QString& path);
    // The window's size one step larger (1), smaller (-1) or back at 100 % (0), from the next
    // start on.
    void stepViewSize(int direction);

Q_SIGNALS:
    void exerciseRequested(int k);
    void endRequested();
    void childPickerRequested();
    void progressRequested();
    // The current score file changed; `name` is the child's name shown for it, empty for none.
    void childChanged(const QString& name);
    // The start screen replaced ScoreTable(k) (a reset, a loaded score file); an open screen of
    // exercise k must show it anew.
    void scoreReplaced(int k);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // "Punktestände laden": takes all twelve scores from a score file, which then becomes the
    // current one; a file that cannot be read whole, a cancelled dialog or a No to going on
    // without the current file changes nothing.
    void loadScoreFile();
    // "Neue Punktestandsdatei": writes the scores to a new file, which then becomes the current
    // one; a failed write, a cancelled dialog or a No to going on without the current file
    // leaves the current file as it was.
    void newScoreFile();
    // "Punktestände zurücksetzen": after a Yes, every score becomes 0, in the settings store too.
    void resetScores();
    void showScoreDigits(int k, int digits);
    // ScoreTable was replaced as a whole: every lblPunkte(k) and every open screen show it.
    void showReplacedScores(int digits);

    // A menu entry or exercise entry: hover colours, the focus by Tab, Enter and Space.
    ClickLabel* menuLabel(const char* name, const QString& text, const QColor& colour);
    void orderTabs();
    // An arrow key moves the focus to the nearest entry that way; false when no entry of the
    // start screen has it.
    bool moveFocus(int key);
    // The open or save dialog; remembers the name chosen. Nothing when cancelled.
    std::optional<QString> chooseScoreFile(bool forSaving);
    void warn(const QString& text, const QString& title);
    void showHelp();
    // "Ansicht": the sizes to choose from, below the entry.
    void showViewMenu(QWidget* under);
    void setViewSize(int percent);
    // Writes the scores to the current score file before `next` replaces it. When that fails,
    // the scores go to the settings store and the user is asked, default No, whether to go on;
    // `question` holds %1 for `next`. True when `next` may take the current file's place.
    bool handOverCurrentFile(const QString& next, const QString& title, const QString& question);
    // The line telling that the current score file stays so; empty when there is none.
    QString currentStays() const;
    // strPunktedatei becomes `path`; lblKind and the window title follow.
    void setCurrentFile(const QString& path);

    ProgramState& m_state;
    Platform& m_platform;
    QPixmap m_background;
    // Menu entries, separators and descriptions reset the hover colours of these.
    HoverGroup* m_menu;
    std::array<QLabel*, ExerciseCount + 1> m_scores {}; // lblPunkte(1..ExerciseCount)
    QLabel* m_version;
    QLabel* m_serverNote;
    QLabel* m_child; // lblKind: whose scores are shown

    // The file dialog's state, kept between uses within a run.
    struct DialogState
    {
        QString folder;
        QString fileName;
    };
    DialogState dlgDatei;
};
