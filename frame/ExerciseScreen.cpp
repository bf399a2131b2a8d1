#include "frame/ExerciseScreen.h"

#include "core/ExerciseCatalogue.h"
#include "core/Help.h"
#include "core/ProgramState.h"
#include "frame/KeyRouter.h"
#include "frame/LetterEntry.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "ui/ClickLabel.h"
#include "ui/HoverGroup.h"
#include "ui/Labels.h"
#include "ui/SubWindow.h"
#include "ui/Theme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <tuple>
#include <utility>

namespace {
constexpr int Margin = 12;
constexpr int RightColumn = 432;
constexpr int TaskTop = 44;
constexpr int PanelTop = 296;
constexpr int FeedbackSize = 32;
} // namespace

ExerciseScreen::ExerciseScreen(const Exercise& entry, ProgramState& state, Platform& platform,
    ErrorDisplay errorDisplay, QWidget* parent)
    : QWidget(parent)
    , m_number(entry.number)
    , m_state(state)
    , m_platform(platform)
    , m_links(new HoverGroup(this))
{
    setObjectName(QString::fromLatin1(entry.screen));
    setWindowTitle(entry.title);
    // As large as the start screen, 9600 x 6735 twips, which it covers entirely.
    setFixedSize(Theme::px(9600), Theme::px(6735));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_background = Theme::picture(QStringLiteral("exercise"), size());

    m_title = namedLabel(this, "Label1", entry.title);
    m_title->setFont(Theme::uiFont(16, true));
    Theme::setTextColour(m_title, Theme::EntryColour);
    m_title->setGeometry(Margin, 6, 400, 30);

    m_version = namedLabel(this, "lblVersion", QStringLiteral("Version"));
    m_version->setFont(Theme::uiFont(8));
    m_version->setAlignment(Qt::AlignRight);
    m_version->setGeometry(width() - Margin - 200, 6, 200, 14);

    ClickLabel* web = namedLink(this, "lblWeb", vendorCaption());
    web->setFont(Theme::uiFont(8, true));
    web->adjustSize();
    web->move(width() - Margin - web->width(), 22);
    m_links->add(web, Theme::Black);
    connect(web, &ClickLabel::clicked, this, [this] { openVendorPage(m_state, m_platform); });

    m_taskArea = new QWidget(this);
    m_taskArea->setObjectName(QStringLiteral("taskArea"));
    m_taskArea->setGeometry(Margin, TaskTop, RightColumn - 2 * Margin, PanelTop - 8 - TaskTop);

    buildTimeLimit();
    m_panel = new EvaluationPanel(errorDisplay == ErrorDisplay::Shown, this);
    arrangePanel(EvaluationPanel::Arrangement::TwoRows, PanelTop);

    // Read out only while shown, by these names.
    for (const auto& [name, picture, meaning] :
        { std::tuple { "imgLach", "lach", "Richtig" }, std::tuple { "imgAerg", "aerg", "Falsch" },
            std::tuple { "imgZiel", "ziel", "Geschafft" } }) {
        QLabel* label = namedLabel(this, name, {});
        label->setAccessibleName(QString::fromLatin1(meaning));
        label->setPixmap(
            Theme::picture(QString::fromLatin1(picture), QSize(FeedbackSize, FeedbackSize)));
        label->resize(FeedbackSize, FeedbackSize);
        label->hide();
        m_pictures.append(label);
    }
    movePictures({ RightColumn + (192 - FeedbackSize) / 2, 150 });

    ClickLabel* end = namedLink(this, "lblUebEnd", {});
    end->setMnemonicText(QStringLiteral("Übung &beenden"));
    end->setFont(Theme::uiFont(11, true));
    end->adjustSize();
    end->move(Margin, height() - end->height() - 10);
    m_links->add(end, Theme::Black);
    connect(end, &ClickLabel::clicked, this, &ExerciseScreen::endExercise);
    // As a document window is closed; Esc is an answer key.
    for (const QKeySequence& keys :
        { QKeySequence(Qt::CTRL | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W) })
        connect(
            new QShortcut(keys, this), &QShortcut::activated, this, &ExerciseScreen::endExercise);

    QLabel* copyrights
        = namedLabel(this, "lblCopyrights", QStringLiteral("© 2026 Das Tambolino-Team"));
    QLabel* copyrights2 = namedLabel(
        this, "lblCopyrights2", QStringLiteral("Freies Lernprogramm für die Grundschule"));
    int top = height() - 34;
    for (QLabel* line : { copyrights, copyrights2 }) {
        line->setFont(Theme::uiFont(7.5));
        line->setAlignment(Qt::AlignRight);
        line->setGeometry(width() - Margin - 300, top, 300, 14);
        top += 14;
    }

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &ExerciseScreen::clockStep);
}

void ExerciseScreen::buildTimeLimit()
{
    QGroupBox* frame = namedFrame(
        this, "Frame1", QStringLiteral("Zeitbegrenzung"), { RightColumn, TaskTop, 192, 74 });
    // Two by two in fixed places: "5 min" and "10 min" above, "15 min" and "keine" below.
    const QRect area = frame->contentsRect().adjusted(10, 4, -10, -6);
    const QSize cell(area.width() / 2, area.height() / 2);
    const struct
    {
        const char* name;
        const char* caption;
        int minutes;
    } options[] = {
        // Alt with the underlined character chooses an option; digits and letters alone are
        // answers.
        { "opt5min", "&5 min", 5 },
        { "opt10min", "&10 min", 10 },
        { "opt15min", "15 &min", 15 },
        { "optKeine", "&keine", 0 },
    };
    int index = 0;
    QRadioButton* none = nullptr;
    for (const auto& option : options) {
        auto* button = new QRadioButton(QString::fromUtf8(option.caption), frame);
        button->setObjectName(QString::fromLatin1(option.name));
        const int height = button->sizeHint().height();
        button->setGeometry(area.left() + index % 2 * cell.width(),
            area.top() + index / 2 * cell.height() + (cell.height() - height) / 2, cell.width(),
            height);
        ++index;
        const int minutes = option.minutes;
        connect(button, &QRadioButton::toggled, this, [this, minutes](bool on) {
            if (on)
                m_clock.setLimit(minutes);
        });
        if (minutes == 0)
            none = button;
    }
    none->setChecked(true);
}

void ExerciseScreen::setTaskArea(const QRect& geometry)
{
    m_taskArea->setGeometry(geometry);
}

void ExerciseScreen::arrangePanel(EvaluationPanel::Arrangement arrangement, int top)
{
    const int height = arrangement == EvaluationPanel::Arrangement::TwoRows ? 104 : 56;
    m_panel->arrange(arrangement, QRect(Margin, top, width() - 2 * Margin, height));
}

void ExerciseScreen::movePictures(const QPoint& topLeft)
{
    for (QLabel* picture : std::as_const(m_pictures))
        picture->move(topLeft);
}

QTimer* ExerciseScreen::addTimer(const char* name)
{
    auto* timer = new QTimer(this);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setSingleShot(true);
    return timer;
}

void ExerciseScreen::setTextField(QLineEdit* field)
{
    m_textField = field;
    Theme::makeTextField(field);
    setFocusProxy(field);
}

void ExerciseScreen::practise(const QStringList& prompts)
{
    m_practice = prompts;
    const QString title = exercise(m_number).title + QStringLiteral(" - schwierige Aufgaben");
    setWindowTitle(title);
    m_title->setText(title);
    m_title->resize(std::max(m_title->width(), m_title->sizeHint().width()), m_title->height());
}

TaskFile::Loader ExerciseScreen::taskLoader() const
{
    return [this, file = TaskFile::forExercise(m_platform.folders, m_number)] {
        TaskFile::Result result = file();
        if (practiceRound())
            TaskFile::keepOnly(result, exercise(m_number).tasks, m_practice);
        return result;
    };
}

bool ExerciseScreen::open()
{
    for (QGroupBox* frame : findChildren<QGroupBox*>())
        Theme::makePanel(frame, Theme::PanelBackground);
    for (QRadioButton* option : findChildren<QRadioButton*>())
        Theme::setBackground(option, Theme::PanelBackground);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        Theme::makeQuick(button);
    m_version->setText(versionText());
    m_panel->setScore(m_state.ScoreTable(m_number));

    if (const QString error = loadExercise(); !error.isEmpty()) {
        showTaskFileError(error, QStringLiteral("Die Übung kann nicht geöffnet werden."));
        return false;
    }
    m_panel->setTimeOfDay(m_platform.clock.longTimeText());
    watchKeys(this);
    m_timer1->start();
    m_opened = true;
    return true;
}

void ExerciseScreen::showTaskFileError(const QString& error, const QString& consequence)
{
    m_platform.messages.show(error + QLatin1Char('\n') + consequence, QStringLiteral("Hinweis"),
        MessageBox::Buttons::Ok, MessageBox::Icon::Warning);
}

void ExerciseScreen::endForTaskFile(const QString& error)
{
    m_timer1->stop();
    showTaskFileError(error, QStringLiteral("Die Übung wird beendet."));
    closeScreen(SessionEnd::TaskFileFailure);
}

bool ExerciseScreen::goOn(const std::function<QString()>& next)
{
    if (m_clock.limitReached()) {
        endForTimeLimit();
        return false;
    }
    if (const QString error = next(); !error.isEmpty()) {
        endForTaskFile(error);
        return false;
    }
    return true;
}

void ExerciseScreen::clockStep()
{
    m_clock.tick();
    m_panel->setElapsed(m_clock.text());
    m_panel->setTimeOfDay(m_platform.clock.longTimeText());
}

void ExerciseScreen::endForTimeLimit()
{
    m_timer1->stop();
    m_platform.messages.show(QStringLiteral("Die eingestellte Zeit ist abgelaufen."),
        QStringLiteral("Hinweis"), MessageBox::Buttons::Ok);
    closeScreen(SessionEnd::TimeLimit);
}

void ExerciseScreen::showScore()
{
    m_panel->setScore(m_state.ScoreTable(m_number));
}

void ExerciseScreen::publishScore()
{
    showScore();
    Q_EMIT scoreChanged(m_number);
}

void ExerciseScreen::showFeedback(TaskStep::Picture picture)
{
    if (picture == TaskStep::Picture::Unchanged)
        return;
    m_pictures[0]->setVisible(picture == TaskStep::Picture::Right);
    m_pictures[1]->setVisible(picture == TaskStep::Picture::Wrong);
    m_pictures[2]->setVisible(picture == TaskStep::Picture::Done);
}

void ExerciseScreen::showStep(const TaskStep& step)
{
    if (!step.taken)
        return;
    showFeedback(step.picture);
    if (!step.message.isNull())
        m_panel->setMessage(step.message);
    if (!step.hint.isNull())
        m_panel->setErrorHint(step.hint);
    if (step.errors)
        m_panel->setErrors(*step.errors);
    if (step.scoreChanged)
        publishScore();
    if (step.finished)
        Q_EMIT taskFinished(*step.finished);
}

void ExerciseScreen::showEntry(QLabel* line, const LetterEntry& entry, const QString& shown)
{
    line->setText(shown);
    Theme::setTextColour(line, entry.lastWrong() ? Theme::WrongColour : Theme::Black);
}

void ExerciseScreen::showEntry(QLabel* line, const LetterEntry& entry)
{
    showEntry(line, entry, entry.line());
}

void ExerciseScreen::endExercise()
{
    Q_EMIT scoreChanged(m_number);
    closeScreen(SessionEnd::Ended);
}

void ExerciseScreen::closeForProgramEnd()
{
    closeScreen(SessionEnd::ProgramEnd);
}

void ExerciseScreen::closeScreen(SessionEnd end)
{
    if (m_closing)
        return;
    m_closing = true;
    m_end = end;
    for (QTimer* timer : findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        timer->stop();
    closeWithWindow(this);
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

bool ExerciseScreen::routeKey(QObject* receiver, QKeyEvent* event)
{
    const bool inField = m_textField && QApplication::focusWidget() == m_textField;
    switch (KeyRouter::route(*event, inField)) {
    case KeyRouter::Route::Help:
        openHelpPage(m_platform, exercise(m_number).helpPage);
        return true;
    case KeyRouter::Route::Characters:
        // Typed while an option or link has the focus, an answer still goes into the field.
        if (m_textField && m_textField->isVisibleTo(this) && m_textField->isEnabled()) {
            m_textField->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(m_textField, event);
            return true;
        }
        for (const QChar c : KeyRouter::characters(*event)) {
            if (m_closing)
                break;
            keyPressed(c);
        }
        return true;
    case KeyRouter::Route::Enter:
        if (!m_closing)
            keyPressed(QLatin1Char('\r'));
        return true;
    case KeyRouter::Route::Field:
        // Seen first where the field receives it; a key the field leaves passes the
        // screen again on its way up.
        if (receiver == m_textField)
            textFieldKey();
        return false;
    case KeyRouter::Route::Swallow:
        return true;
    case KeyRouter::Route::PassOn:
        return false;
    }
    return false;
}

void ExerciseScreen::closeEvent(QCloseEvent* event)
{
    // The frame of the main window closes the screen too; every way out passes here.
    m_closing = true;
    if (std::exchange(m_opened, false)) {
        m_timer1->stop();
        Q_EMIT sessionEnded(m_end);
    }
    QWidget::closeEvent(event);
}

bool ExerciseScreen::eventFilter(QObject* watched, QEvent* event)
{
    // The screen sees every key before its controls, so F1 and typing work wherever the
    // focus is.
    if (event->type() == QEvent::KeyPress && routeKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    // An option's mnemonic chooses it at once, not after the animation of a click.
    if (auto* option = qobject_cast<QRadioButton*>(watched);
        option && event->type() == QEvent::Shortcut) {
        option->setFocus(Qt::ShortcutFocusReason);
        option->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ExerciseScreen::keyPressEvent(QKeyEvent* event)
{
    if (!routeKey(this, event))
        QWidget::keyPressEvent(event);
}

void ExerciseScreen::mouseMoveEvent(QMouseEvent* event)
{
    const QWidget* under = childAt(event->position().toPoint());
    if (!under || under == m_taskArea) {
        m_links->reset();
        m_panel->links().reset();
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
