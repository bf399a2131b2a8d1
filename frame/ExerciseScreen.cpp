#include "frame/ExerciseScreen.h"

#include "app/ClickLabel.h"
#include "app/ExerciseCatalogue.h"
#include "app/Help.h"
#include "app/ProgramState.h"
#include "app/Scoring.h"
#include "app/Theme.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QRadioButton>
#include <QTimer>

namespace {
constexpr int Margin = 12;
constexpr int RightColumn = 432;
constexpr int FeedbackSize = 32;

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* feedbackPicture(QWidget* parent, const char* name, const QString& picture)
{
    QLabel* label = namedLabel(parent, name, {});
    label->setPixmap(Theme::picture(picture, QSize(FeedbackSize, FeedbackSize)));
    label->setGeometry(RightColumn + (192 - FeedbackSize) / 2, 150, FeedbackSize, FeedbackSize);
    label->hide();
    return label;
}
} // namespace

ExerciseScreen::ExerciseScreen(int k, ProgramState& state, Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_number(k)
    , m_state(state)
    , m_platform(platform)
{
    const Exercise& entry = exercise(k);
    setObjectName(QString::fromLatin1(entry.screen));
    setWindowTitle(entry.title);
    // As large as the start screen, 9600 x 6735 twips, which it covers entirely.
    setFixedSize(Theme::px(9600), Theme::px(6735));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_background = Theme::picture(QStringLiteral("exercise"), size());

    Label1 = namedLabel(this, "Label1", entry.title);
    Label1->setFont(Theme::uiFont(16, true));
    Theme::setTextColour(Label1, Theme::EntryColour);
    Label1->setGeometry(Margin, 6, 400, 30);

    lblVersion = namedLabel(this, "lblVersion", QStringLiteral("Version"));
    lblVersion->setFont(Theme::uiFont(8));
    lblVersion->setAlignment(Qt::AlignRight);
    lblVersion->setGeometry(width() - Margin - 200, 6, 200, 14);

    lblWeb = new ClickLabel(vendorCaption(), this);
    lblWeb->setObjectName(QStringLiteral("lblWeb"));
    lblWeb->setFont(Theme::uiFont(8, true));
    lblWeb->adjustSize();
    lblWeb->move(width() - Margin - lblWeb->width(), 22);
    addHoverLabel(lblWeb);
    connect(lblWeb, &ClickLabel::clicked, this, [this] { openVendorPage(m_state, m_platform); });

    m_taskArea = new QWidget(this);
    m_taskArea->setObjectName(QStringLiteral("taskArea"));
    m_taskArea->setGeometry(Margin, 44, 408, 244);

    buildTimeLimit();
    buildEvaluation();

    imgLach = feedbackPicture(this, "imgLach", QStringLiteral("lach"));
    imgAerg = feedbackPicture(this, "imgAerg", QStringLiteral("aerg"));
    imgZiel = feedbackPicture(this, "imgZiel", QStringLiteral("ziel"));

    lblUebEnd = new ClickLabel(QStringLiteral("Übung beenden"), this);
    lblUebEnd->setObjectName(QStringLiteral("lblUebEnd"));
    lblUebEnd->setFont(Theme::uiFont(11, true));
    lblUebEnd->adjustSize();
    lblUebEnd->move(Margin, height() - lblUebEnd->height() - 10);
    addHoverLabel(lblUebEnd);
    connect(lblUebEnd, &ClickLabel::clicked, this, &ExerciseScreen::endExercise);

    lblCopyrights = namedLabel(this, "lblCopyrights", QStringLiteral("© 2026 Das Tambolino-Team"));
    lblCopyrights2 = namedLabel(
        this, "lblCopyrights2", QStringLiteral("Freies Lernprogramm für die Grundschule"));
    int top = height() - 34;
    for (QLabel* line : { lblCopyrights, lblCopyrights2 }) {
        line->setFont(Theme::uiFont(7.5));
        line->setAlignment(Qt::AlignRight);
        line->setGeometry(width() - Margin - 300, top, 300, 14);
        top += 14;
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &ExerciseScreen::clockStep);
}

void ExerciseScreen::buildTimeLimit()
{
    Frame1 = new QGroupBox(QStringLiteral("Zeitbegrenzung"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(RightColumn, 44, 192, 74);
    auto* grid = new QGridLayout(Frame1);
    grid->setContentsMargins(10, 4, 10, 6);
    const struct
    {
        QRadioButton*& button;
        const char* name;
        const char* caption;
        int minutes;
        int row;
        int column;
    } options[] = {
        { opt5min, "opt5min", "5 min", 5, 0, 0 },
        { opt10min, "opt10min", "10 min", 10, 0, 1 },
        { opt15min, "opt15min", "15 min", 15, 1, 0 },
        { optKeine, "optKeine", "keine", 0, 1, 1 },
    };
    for (const auto& option : options) {
        option.button = new QRadioButton(QString::fromUtf8(option.caption), Frame1);
        option.button->setObjectName(QString::fromLatin1(option.name));
        grid->addWidget(option.button, option.row, option.column);
        const int minutes = option.minutes;
        connect(option.button, &QRadioButton::toggled, this, [this, minutes](bool on) {
            if (on)
                m_clock.setLimit(minutes);
        });
    }
    optKeine->setChecked(true);
}

void ExerciseScreen::buildEvaluation()
{
    fraAuswertung = new QGroupBox(QStringLiteral("Auswertung"), this);
    fraAuswertung->setObjectName(QStringLiteral("fraAuswertung"));
    fraAuswertung->setGeometry(Margin, 296, width() - 2 * Margin, 104);
    auto* grid = new QGridLayout(fraAuswertung);
    grid->setContentsMargins(10, 4, 10, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);

    const auto pair
        = [&](QLabel*& caption, const char* captionName, const char* captionText, QLabel*& value,
              const char* valueName, const QString& initial, int row, int column, int span) {
              caption = namedLabel(fraAuswertung, captionName, QString::fromUtf8(captionText));
              caption->setFont(Theme::uiFont(8));
              value = namedLabel(fraAuswertung, valueName, initial);
              value->setFont(Theme::uiFont(9, true));
              value->setMinimumHeight(20);
              Theme::makeEntryBox(value);
              grid->addWidget(caption, row, column, 1, span);
              grid->addWidget(value, row + 1, column, 1, span);
          };
    pair(Label3, "Label3", "Übungszeit", lblZeit, "lblZeit", QStringLiteral("00:00"), 0, 0, 1);
    pair(Label2, "Label2", "Uhrzeit", lblUhrzeit, "lblUhrzeit", {}, 0, 1, 1);
    pair(Label4, "Label4", "Punktestand", lblPunktestand, "lblPunktestand",
        QStringLiteral("0000000"), 0, 2, 1);
    pair(Label7, "Label7", "Fehler", lblFehler, "lblFehler", QStringLiteral("0"), 0, 3, 1);
    pair(Label8, "Label8", "Aufgabe", lblAufg, "lblAufg", QStringLiteral("1"), 0, 4, 1);
    pair(Label5, "Label5", "Meldungen", lblPunktemeldung, "lblPunktemeldung", {}, 2, 0, 3);
    pair(Label6, "Label6", "Fehleranzeige", lblFehleranzeige, "lblFehleranzeige", {}, 2, 3, 2);
    lblPunktemeldung->setFont(Theme::uiFont(8.5, true));
    for (int column = 0; column < 5; ++column)
        grid->setColumnStretch(column, 1);
}

void ExerciseScreen::removeErrorDisplay()
{
    delete Label6;
    delete lblFehleranzeige;
    Label6 = nullptr;
    lblFehleranzeige = nullptr;
}

void ExerciseScreen::addHoverLabel(ClickLabel* label)
{
    label->setCursor(Qt::PointingHandCursor);
    Theme::setTextColour(label, Theme::Black);
    connect(label, &ClickLabel::entered, label,
        [label] { Theme::setTextColour(label, Theme::HoverColour); });
    m_hoverLabels.append(label);
}

bool ExerciseScreen::open()
{
    for (QWidget* panel : findChildren<QGroupBox*>())
        Theme::setBackground(panel, Theme::PanelBackground);
    for (QRadioButton* option : { opt5min, opt10min, opt15min, optKeine })
        Theme::setBackground(option, Theme::PanelBackground);
    lblVersion->setText(versionText());
    lblPunktestand->setText(formatScore(m_state.ScoreTable(m_number)));

    if (const QString error = loadExercise(); !error.isEmpty()) {
        showTaskFileError(error);
        return false;
    }
    lblUhrzeit->setText(m_platform.clock.longTimeText());
    watchKeys(this);
    Timer1->start();
    return true;
}

void ExerciseScreen::showTaskFileError(const QString& error)
{
    m_platform.messages.show(error + QStringLiteral("\nDie Übung wird beendet."),
        QStringLiteral("Hinweis"), MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

void ExerciseScreen::endForTaskFile(const QString& error)
{
    Timer1->stop();
    showTaskFileError(error);
    closeScreen();
}

void ExerciseScreen::clockStep()
{
    m_clock.tick();
    lblZeit->setText(m_clock.text());
    lblUhrzeit->setText(m_platform.clock.longTimeText());
}

void ExerciseScreen::subZeitAbgelaufen()
{
    Timer1->stop();
    m_platform.messages.show(QStringLiteral("Die eingestellte Zeit ist abgelaufen."),
        QStringLiteral("Hinweis"), MessageBox::Buttons::Ok);
    closeScreen();
}

void ExerciseScreen::subPunkteAnzeigen()
{
    lblPunktestand->setText(formatScore(m_state.ScoreTable(m_number)));
    Q_EMIT scoreChanged(m_number);
}

void ExerciseScreen::showFeedback(Feedback feedback)
{
    imgLach->setVisible(feedback == Feedback::Right);
    imgAerg->setVisible(feedback == Feedback::Wrong);
    imgZiel->setVisible(feedback == Feedback::Done);
}

void ExerciseScreen::showEntry(QLabel* line, const LetterEntry& entry, const QString& shown)
{
    line->setText(shown);
    Theme::setTextColour(line, entry.lastWrong() ? Theme::WrongColour : Theme::Black);
    showFeedback(entry.lastWrong() ? Feedback::Wrong : Feedback::Right);
}

void ExerciseScreen::endExercise()
{
    Q_EMIT scoreChanged(m_number);
    closeScreen();
}

void ExerciseScreen::closeScreen()
{
    if (m_closing)
        return;
    m_closing = true;
    Timer1->stop();
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
        window->close();
    else
        close();
}

void ExerciseScreen::typeCharacter(QChar c)
{
    if (!m_closing)
        keyPressed(c);
}

void ExerciseScreen::watchKeys(QObject* object)
{
    for (QObject* child : object->children()) {
        if (child->isWidgetType()) {
            child->installEventFilter(this);
            watchKeys(child);
        }
    }
}

bool ExerciseScreen::handleKey(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        subHilfe(m_platform, exercise(m_number).helpPage);
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty() || text == QLatin1String("\t"))
        return false;
    for (const QChar c : text) {
        // Backspace, Enter and Escape count as characters; other control codes
        // (Ctrl with a letter) are not typing.
        if (c.unicode() < 0x20 && c != QLatin1Char('\b') && c != QLatin1Char('\r')
            && c.unicode() != 27)
            continue;
        typeCharacter(c);
    }
    return true;
}

bool ExerciseScreen::eventFilter(QObject* watched, QEvent* event)
{
    // The screen sees every key before its controls, so F1 and typing work wherever the
    // focus is.
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void ExerciseScreen::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event))
        QWidget::keyPressEvent(event);
}

void ExerciseScreen::mouseMoveEvent(QMouseEvent* event)
{
    const QWidget* under = childAt(event->position().toPoint());
    if (!under || under == m_taskArea) {
        for (ClickLabel* label : m_hoverLabels)
            Theme::setTextColour(label, Theme::Black);
    }
    QWidget::mouseMoveEvent(event);
}

void ExerciseScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void ExerciseScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    setFocus();
}
