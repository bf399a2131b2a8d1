#include "app/ProgressScreen.h"

#include "app/ProgressReport.h"
#include "core/Csv.h"
#include "core/ExerciseCatalogue.h"
#include "core/Help.h"
#include "core/ProgramState.h"
#include "frame/DifficultTasks.h"
#include "frame/TaskFile.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/JournalDatabase.h"
#include "platform/Platform.h"
#include "platform/WholeFile.h"
#include "ui/Labels.h"
#include "ui/SubWindow.h"
#include "ui/Theme.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>

namespace {
constexpr int Margin = 12;
constexpr int Top = 44;
constexpr int ListWidth = 150;
constexpr int ChartHeight = 214;
constexpr int TablesTop = Top + ChartHeight + 8;
constexpr int TablesHeight = 140;

QTableWidget* table(QWidget* parent, const char* name, const QStringList& heads)
{
    auto* made = new QTableWidget(0, int(heads.size()), parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setHorizontalHeaderLabels(heads);
    made->setEditTriggers(QAbstractItemView::NoEditTriggers);
    made->setSelectionMode(QAbstractItemView::NoSelection);
    made->setFocusPolicy(Qt::NoFocus);
    made->verticalHeader()->hide();
    made->verticalHeader()->setDefaultSectionSize(18);
    made->horizontalHeader()->setHighlightSections(false);
    made->setFont(Theme::uiFont(8));
    made->setWordWrap(false);
    return made;
}

// Table cells hold the journal's texts as they are: a table item shows plain text.
void setRow(QTableWidget* table, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment(Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight));
        table->setItem(row, c, item);
    }
}

QString oneLine(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ');
}

QPushButton* pushButton(QWidget* parent, const char* name, const QString& text)
{
    QPushButton* button = namedButton(parent, QString::fromLatin1(name), text, 9);
    button->adjustSize();
    return button;
}
} // namespace

QWidget* ProgressScreen::open(JournalDatabase* journal, const QString& child, Platform& platform,
    const ProgressModule::Practise& practise)
{
    auto* view = new ProgressScreen(journal, child, platform);
    connect(view, &ProgressScreen::practiceRequested, view, practise);
    return view;
}

ProgressScreen::ProgressScreen(
    JournalDatabase* journal, const QString& child, Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_journal(journal)
    , m_child(child)
    , m_platform(platform)
    , m_period(JournalPeriod::endingAt(platform.clock.now(), Days))
{
    setObjectName(QStringLiteral("frmFortschritt"));
    setWindowTitle(QStringLiteral("Fortschritt"));
    // As large as the exercise screens, 9600 x 6735 twips.
    setFixedSize(Theme::px(9600), Theme::px(6735));
    setFocusPolicy(Qt::StrongFocus);

    QLabel* title = namedLabel(this, "Label1", QStringLiteral("Fortschritt von %1").arg(m_child));
    title->setFont(Theme::uiFont(16, true));
    Theme::setTextColour(title, Theme::EntryColour);
    title->setGeometry(Margin, 6, 420, 30);
    QLabel* period = namedLabel(this, "lblZeitraum",
        QStringLiteral("letzte 4 Wochen: %1 bis %2")
            .arg(m_period.first.toString(QStringLiteral("dd.MM.yyyy")),
                m_period.last.toString(QStringLiteral("dd.MM.yyyy"))));
    period->setFont(Theme::uiFont(8));
    period->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    period->setGeometry(width() - Margin - 250, 14, 250, 16);

    m_exercises = new QListWidget(this);
    m_exercises->setObjectName(QStringLiteral("lstUebungen"));
    m_exercises->setFont(Theme::uiFont(9));
    for (int k = 1; k <= ExerciseCount; ++k)
        m_exercises->addItem(exercise(k).menuText);
    m_exercises->setGeometry(Margin, Top, ListWidth, ChartHeight);

    m_chart = new QChart;
    m_chart->setLocale(QLocale(QLocale::German, QLocale::Germany));
    m_chart->setLocalizeNumbers(true);
    m_chart->setBackgroundRoundness(4);
    m_chart->setMargins(QMargins(4, 4, 4, 4));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->legend()->setFont(Theme::uiFont(8));
    m_chart->setTitleFont(Theme::uiFont(9, true));
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("chtVerlauf"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    const QRect chartArea(
        Margin + ListWidth + 8, Top, width() - 2 * Margin - ListWidth - 8, ChartHeight);
    m_chartView->setGeometry(chartArea);
    m_notPractised = namedLabel(this, "lblNichtGeuebt", QString());
    m_notPractised->setFont(Theme::uiFont(10));
    m_notPractised->setWordWrap(true);
    m_notPractised->setAlignment(Qt::AlignCenter);
    m_notPractised->setGeometry(chartArea);
    m_notPractised->setAutoFillBackground(true);

    m_sessions = table(this, "tblSitzungen",
        { QStringLiteral("Datum"), QStringLiteral("Übung"), QStringLiteral("Min."),
            QStringLiteral("Aufg."), QStringLiteral("Fehler"), QStringLiteral("Punkte") });
    m_sessions->setGeometry(Margin, TablesTop, 352, TablesHeight);
    for (const auto& [column, width] :
        { std::pair { 0, 84 }, { 1, 98 }, { 2, 30 }, { 3, 34 }, { 4, 38 }, { 5, 42 } })
        m_sessions->setColumnWidth(column, width);

    // Its title row leaves room on the right for an action on these tasks.
    QGroupBox* hard = namedFrame(this, "fraSchwierig", QStringLiteral("Schwierige Aufgaben"),
        { Margin + 360, TablesTop - 6, width() - 2 * Margin - 360, TablesHeight + 6 });
    hard->setFont(Theme::uiFont(9, true));
    m_difficult = table(hard, "tblSchwierig",
        { QStringLiteral("Aufgabe"), QStringLiteral("Versuche"), QStringLiteral("Fehler") });
    m_difficult->setGeometry(6, 20, hard->width() - 12, hard->height() - 26);
    m_difficult->setColumnWidth(1, 58);
    m_difficult->setColumnWidth(2, 44);
    m_difficult->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_practise = pushButton(hard, "cmdUeben", QStringLiteral("Diese Aufgaben üben"));
    m_practise->setFont(Theme::uiFont(8, true));
    m_practise->adjustSize();
    m_practise->setGeometry(hard->width() - m_practise->width() - 6, 0, m_practise->width(), 19);
    connect(m_practise, &QPushButton::clicked, this,
        [this] { Q_EMIT practiceRequested(m_exercise, m_practice); });

    QPushButton* close = pushButton(this, "cmdSchliessen", QStringLiteral("Schließen"));
    QPushButton* print = pushButton(this, "cmdDrucken", QStringLiteral("Drucken ..."));
    QPushButton* save = pushButton(this, "cmdExportieren", QStringLiteral("Exportieren ..."));
    int right = width() - Margin;
    for (QPushButton* button : { close, print, save }) {
        button->move(right - button->width(), height() - button->height() - 10);
        right -= button->width() + 8;
    }
    connect(close, &QPushButton::clicked, this, [this] { closeWithWindow(this); });
    connect(save, &QPushButton::clicked, this, &ProgressScreen::exportJournal);
    connect(print, &QPushButton::clicked, this, &ProgressScreen::print);

    const QList<JournalSession> sessions
        = m_journal ? m_journal->lastSessions(m_child, SessionRows) : QList<JournalSession> {};
    if (sessions.isEmpty()) {
        // Nothing to chart yet: one friendly sentence in the place of the charts and tables.
        for (QWidget* part : { static_cast<QWidget*>(m_exercises),
                 static_cast<QWidget*>(m_chartView), static_cast<QWidget*>(m_notPractised),
                 static_cast<QWidget*>(m_sessions), static_cast<QWidget*>(hard),
                 static_cast<QWidget*>(print), static_cast<QWidget*>(save) })
            part->hide();
        QLabel* empty = namedLabel(this, "lblKeineEintraege",
            m_journal ? QStringLiteral("Hier gibt es noch nichts zu sehen: Im Übungstagebuch "
                                       "steht noch keine Übung von %1.\n\nSobald eine Übung "
                                       "gemacht ist, zeigt diese Seite Tag für Tag, wie es "
                                       "vorangeht.")
                            .arg(m_child)
                      : QStringLiteral("Das Übungstagebuch kann zurzeit nicht gelesen werden. "
                                       "Die Punktestände sind davon nicht betroffen."));
        empty->setFont(Theme::uiFont(12));
        empty->setWordWrap(true);
        empty->setAlignment(Qt::AlignCenter);
        empty->setGeometry(Margin + 40, Top + 60, width() - 2 * Margin - 80, 160);
        return;
    }
    fillSessions(sessions);
    // The exercise practised last comes first.
    connect(m_exercises, &QListWidget::currentRowChanged, this,
        [this](int row) { showExercise(row + 1); });
    m_exercises->setCurrentRow(sessions.first().exercise - 1);
    setFocusProxy(m_exercises);
}

void ProgressScreen::showExercise(int k)
{
    // No row chosen (-1) when the list empties.
    if (k < 1 || k > ExerciseCount)
        return;
    m_exercise = k;
    fillChart(m_journal->days(m_child, k, m_period));
    m_hardest = m_journal->difficultTasks(m_child, k, m_period);
    m_difficult->setRowCount(int(m_hardest.size()));
    for (int row = 0; row < m_hardest.size(); ++row) {
        const JournalDifficulty& task = m_hardest[row];
        setRow(m_difficult, row,
            { oneLine(task.prompt), QString::number(task.tries), QString::number(task.errors) });
        m_difficult->item(row, 0)->setToolTip(task.prompt);
    }

    // The tasks of the file as it is now: one the teacher took out is not asked any more.
    const TaskFile::Result file = TaskFile::forExercise(m_platform.folders, k)();
    m_practice = DifficultTasks::choose(m_journal->recentTries(m_child, k, DifficultTasks::Tries),
        m_platform.clock.now(), TaskFile::shownTexts(file, exercise(k).tasks));
    const bool enough = m_practice.size() >= DifficultTasks::Fewest;
    m_practise->setEnabled(enough);
    m_practise->setToolTip(enough
            ? QStringLiteral("Übt die %1 Aufgaben, bei denen zuletzt Fehler gemacht oder Hilfe "
                             "gebraucht wurde.")
                  .arg(m_practice.size())
            : QStringLiteral("Zum Üben braucht es mindestens zwei Aufgaben der Aufgabendatei, "
                             "bei denen zuletzt Fehler gemacht oder Hilfe gebraucht wurde."));
}

void ProgressScreen::fillChart(const QList<JournalDay>& days)
{
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    const QString name = exercise(m_exercise).menuText;
    const bool practised = std::any_of(
        days.cbegin(), days.cend(), [](const JournalDay& day) { return day.tasks > 0; });
    m_chartView->setVisible(practised);
    m_notPractised->setVisible(!practised);
    m_notPractised->setText(
        QStringLiteral("„%1“ wurde in den letzten vier Wochen nicht geübt.").arg(name));
    m_chart->setTitle(QStringLiteral("%1 in den letzten 4 Wochen").arg(name));

    auto* tasks = new QBarSet(QStringLiteral("Aufgaben am Tag"));
    tasks->setColor(QColor(120, 170, 220));
    tasks->setBorderColor(QColor(70, 120, 170));
    auto* errors = new QLineSeries;
    errors->setName(QStringLiteral("Fehler je Aufgabe"));
    errors->setPointsVisible(true);
    errors->setPen(QPen(Theme::EntryColour, 2));
    int most = 0;
    double worst = 0;
    for (int i = 0; i < days.size(); ++i) {
        const JournalDay& day = days[i];
        tasks->append(day.tasks);
        most = std::max(most, day.tasks);
        if (day.tasks > 0) {
            const double perTask = double(day.errors) / day.tasks;
            errors->append(i, perTask);
            worst = std::max(worst, perTask);
        }
    }
    auto* bars = new QBarSeries;
    bars->append(tasks);
    bars->setBarWidth(0.7);
    m_chart->addSeries(bars);
    m_chart->addSeries(errors);

    // The bars need a category per day, too narrow for a date: the dates stand on an axis of
    // their own, one a week, counted back from today.
    auto* perDay = new QBarCategoryAxis;
    for (const JournalDay& day : days)
        perDay->append(day.day.toString(Qt::ISODate));
    perDay->setVisible(false);
    auto* x = new QCategoryAxis;
    x->setRange(-0.5, double(days.size()) - 0.5);
    x->setStartValue(-0.5);
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (qsizetype i = (days.size() - 1) % 7; i < days.size(); i += 7)
        x->append(days[i].day.toString(QStringLiteral("d.M.")), double(i));
    x->setLabelsFont(Theme::uiFont(7));
    x->setGridLineVisible(false);
    auto* count = new QValueAxis;
    count->setTitleText(QStringLiteral("Aufgaben"));
    count->setLabelFormat(QStringLiteral("%.0f"));
    count->setRange(0, std::max(4, most + most / 5 + 1));
    count->setTickCount(5);
    count->applyNiceNumbers();
    auto* rate = new QValueAxis;
    rate->setTitleText(QStringLiteral("Fehler je Aufgabe"));
    rate->setLabelFormat(QStringLiteral("%.1f"));
    rate->setRange(0, std::max(1.0, worst * 1.2));
    rate->setTickCount(5);
    rate->setLinePenColor(Theme::EntryColour);
    for (QValueAxis* axis : { count, rate }) {
        axis->setLabelsFont(Theme::uiFont(7));
        axis->setTitleFont(Theme::uiFont(7, true));
    }
    m_chart->addAxis(perDay, Qt::AlignBottom);
    m_chart->addAxis(x, Qt::AlignBottom);
    m_chart->addAxis(count, Qt::AlignLeft);
    m_chart->addAxis(rate, Qt::AlignRight);
    bars->attachAxis(perDay);
    bars->attachAxis(count);
    errors->attachAxis(x);
    errors->attachAxis(rate);
}

void ProgressScreen::fillSessions(const QList<JournalSession>& sessions)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    m_sessions->setRowCount(int(sessions.size()));
    for (int row = 0; row < sessions.size(); ++row) {
        const JournalSession& session = sessions[row];
        const qint32 points = session.pointsAtEnd - session.pointsAtStart;
        setRow(m_sessions, row,
            { session.started.toString(QStringLiteral("dd.MM.yy HH:mm")),
                exerciseName(session.exercise),
                session.seconds < 60 && session.seconds > 0
                    ? QStringLiteral("< 1")
                    : QString::number((session.seconds + 30) / 60),
                QString::number(session.tasks), QString::number(session.errors),
                (points > 0 ? QStringLiteral("+") : QString()) + german.toString(points) });
        m_sessions->item(row, 1)->setTextAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        if (session.practiceRound) {
            for (int c = 0; c < m_sessions->columnCount(); ++c) {
                QFont font = m_sessions->font();
                font.setItalic(true);
                m_sessions->item(row, c)->setFont(font);
            }
            m_sessions->item(row, 1)->setToolTip(exerciseName(session.exercise, true));
        }
    }
    // Below the table, where its rows say what the italics mean.
    QLabel* legend = namedLabel(
        this, "lblSchwierigGeuebt", QStringLiteral("kursiv: nur schwierige Aufgaben geübt"));
    legend->setFont(Theme::uiFont(8));
    legend->setGeometry(Margin, TablesTop + TablesHeight + 4, 352, 16);
    legend->setVisible(std::any_of(sessions.cbegin(), sessions.cend(),
        [](const JournalSession& session) { return session.practiceRound; }));
}

void ProgressScreen::exportJournal()
{
    const QString title = QStringLiteral("Tagebuch exportieren");
    const std::optional<QString> chosen
        = m_platform.files.saveFile({ title, m_platform.folders.documentsFolder(),
            QStringLiteral("Tagebuch %1.csv").arg(m_child), QStringLiteral("*.csv") });
    if (!chosen || !m_journal)
        return;
    QSaveFile file(*chosen);
    if (!writeWhole(file, Csv::journal(m_child, m_journal->everything(m_child))))
        m_platform.messages.show(QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.")
                                     .arg(QDir::toNativeSeparators(*chosen)),
            title, MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

void ProgressScreen::print()
{
    if (!m_journal)
        return;
    const ProgressReport report { m_child, m_period, m_journal->totals(m_child, m_period),
        m_exercise, m_hardest };
    QGraphicsView* chart = m_chartView->isVisibleTo(this) ? m_chartView : nullptr;
    m_platform.printer.print(QStringLiteral("Fortschritt von %1").arg(m_child),
        [&report, chart](QPagedPaintDevice& device) { report.paint(device, chart); });
}

void ProgressScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        openHelpPage(m_platform, QStringLiteral("fortschritt.htm"));
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        closeWithWindow(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProgressScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Theme::PanelBackground);
}
