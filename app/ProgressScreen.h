#pragma once

#include "app/ProgressModule.h"
#include "platform/JournalRecords.h"

#include <QWidget>

class JournalDatabase;
class QChart;
class QChartView;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
struct Platform;

// "Fortschritt": what the journal knows of one child over the last four weeks. A list of the
// exercises; for the chosen one a chart of the tasks per day and the errors per task, and its
// difficult tasks; the child's last sessions; the export as CSV and a printed report. The view
// reads the journal once, when it opens, and when another exercise is chosen.
class ProgressScreen : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Days = 28;
    static constexpr int SessionRows = 20;

    // `journal` may be null: the view then says that there is nothing to show.
    ProgressScreen(JournalDatabase* journal, const QString& child, Platform& platform,
        QWidget* parent = nullptr);

    // A view whose "Diese Aufgaben üben" calls `practise`: what the module gives the program.
    static QWidget* open(JournalDatabase* journal, const QString& child, Platform& platform,
        const ProgressModule::Practise& practise);

Q_SIGNALS:
    // "Diese Aufgaben üben": exercise k with only these tasks.
    void practiceRequested(int k, const QStringList& prompts);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Shows exercise k's chart and difficult tasks.
    void showExercise(int k);
    void fillChart(const QList<JournalDay>& days);
    void fillSessions(const QList<JournalSession>& sessions);
    void exportJournal();
    void print();

    JournalDatabase* m_journal;
    const QString m_child;
    Platform& m_platform;
    JournalPeriod m_period;
    int m_exercise = 1;
    QList<JournalDifficulty> m_hardest;
    QListWidget* m_exercises;
    QChartView* m_chartView;
    QChart* m_chart;
    QLabel* m_notPractised;
    QTableWidget* m_sessions;
    QTableWidget* m_difficult;
    QPushButton* m_practise;
    QStringList m_practice; // what "Diese Aufgaben üben" asks
};
