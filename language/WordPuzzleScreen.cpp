#include "language/WordPuzzleScreen.h"

#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "core/Scoring.h"
#include "platform/Platform.h"
#include "ui/ClickLabel.h"
#include "ui/Theme.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace {
constexpr double TwipsPerPixel = 15;
// The boxes lie on a board from below the title to the evaluation panel, over the whole width;
// the time-limit box and the pictures lie above it. The tiles lie on the screen itself, over
// everything else, so that a tile in hand stays visible wherever it is dragged.
constexpr int BoardTop = 44;
constexpr int PanelTop = 342;
constexpr QPoint PicturesAt { 392, 62 };

constexpr QColor TileYellow { 255, 255, 128 };
constexpr QColor BoxGreen { 192, 255, 192 };
constexpr QColor TileRed { 255, 128, 128 };

QColor colour(WordPuzzle::Colour colour)
{
    switch (colour) {
    case WordPuzzle::Colour::Yellow:
        return TileYellow;
    case WordPuzzle::Colour::Green:
        return BoxGreen;
    case WordPuzzle::Colour::Red:
        return TileRed;
    }
    return TileYellow;
}

template<class T> T* arrayControl(QWidget* parent, const char* name, int i)
{
    auto* control = new T(parent);
    control->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    control->resize(qRound(WordPuzzle::TileWidth / TwipsPerPixel),
        qRound(WordPuzzle::TileHeight / TwipsPerPixel));
    control->hide();
    return control;
}

// A bordered label in a colour of its own, as tiles and boxes are.
void makeCard(QLabel* label, const QColor& background)
{
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(Qt::AlignCenter);
    Theme::setTextColour(label, Theme::Black);
    Theme::setBackground(label, background);
}
} // namespace

WordPuzzleScreen::WordPuzzleScreen(
    const Exercise& row, ProgramState& state, Platform& platform, QWidget* parent)
    : ExerciseScreen(row, state, platform, ErrorDisplay::Absent, parent)
    , m_puzzle(row.number, state.ScoreTable, platform.clock, platform.random, taskLoader())
{
    setTaskArea(QRect(0, BoardTop, width(), PanelTop - BoardTop));
    QFont letters = Theme::fixedFont(16);
    letters.setBold(true);
    // Made back to front: shapes, solution labels, boxes, tiles.
    for (int i = 0; i < WordPuzzle::MaxLetters; ++i) {
        auto* shape = arrayControl<QFrame>(taskArea(), "shpZiel", i);
        Theme::setBackground(shape, BoxGreen);
        m_shapes[static_cast<std::size_t>(i)] = shape;
    }
    for (int i = 0; i < WordPuzzle::MaxLetters; ++i) {
        auto* solution = arrayControl<QLabel>(taskArea(), "lblLoesung", i);
        solution->setAlignment(Qt::AlignCenter);
        solution->setFont(letters);
        m_solutions[static_cast<std::size_t>(i)] = solution;
    }
    for (int i = 0; i < WordPuzzle::MaxLetters; ++i) {
        auto* box = arrayControl<QLabel>(taskArea(), "lblZiel", i);
        makeCard(box, BoxGreen);
        m_boxes[static_cast<std::size_t>(i)] = box;
    }
    for (int i = 0; i < WordPuzzle::MaxLetters; ++i) {
        auto* tile = arrayControl<QLabel>(this, "lblBuchstabe", i);
        makeCard(tile, TileYellow);
        tile->setFont(letters);
        tile->installEventFilter(this);
        m_tiles[static_cast<std::size_t>(i)] = tile;
    }

    ClickLabel* solution = panel().addLink("lblLoesAnzeige", QStringLiteral("&Lösung anzeigen"));
    connect(solution, &ClickLabel::clicked, this, [this] { showOutcome(m_puzzle.showSolution()); });
    arrangePanel(EvaluationPanel::Arrangement::OneRow, PanelTop);
    movePictures(PicturesAt);

    m_timer2 = addTimer("Timer2");
    connect(m_timer2, &QTimer::timeout, this, &WordPuzzleScreen::pauseEnded);
    m_timer3 = addTimer("Timer3");
    connect(m_timer3, &QTimer::timeout, this, [this] {
        m_timer3->stop();
        m_puzzle.endFlash();
        showTiles();
    });
}

QString WordPuzzleScreen::loadExercise()
{
    if (QString error = m_puzzle.start(); !error.isEmpty())
        return error;
    showWord();
    return {};
}

QPoint WordPuzzleScreen::place(const WordPuzzle::Position& position, const QWidget* parent) const
{
    const QPoint onScreen(
        roundHalfEven(position.left / TwipsPerPixel), roundHalfEven(position.top / TwipsPerPixel));
    return parent == this ? onScreen : onScreen - parent->mapTo(this, QPoint());
}

WordPuzzle::Position WordPuzzleScreen::pointer(int i, const QMouseEvent& event) const
{
    const QPointF onScreen
        = m_tiles[static_cast<std::size_t>(i)]->mapTo(this, event.position()) * TwipsPerPixel;
    const WordPuzzle::Position corner = m_puzzle.tile(i).position;
    return { static_cast<float>(onScreen.x() - corner.left),
        static_cast<float>(onScreen.y() - corner.top) };
}

void WordPuzzleScreen::showWord()
{
    putBack();
    const bool byKeyboard
        = std::find(m_tiles.begin(), m_tiles.end(), focusWidget()) != m_tiles.end();
    const QString& word = m_puzzle.word();
    for (int i = 0; i < WordPuzzle::MaxLetters; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const bool shown = i < word.size();
        const QString letter = shown ? QString(word[i]) : QString();
        m_tiles[index]->setText(letter);
        m_solutions[index]->setText(letter);
        const QPoint box = place(m_puzzle.box(i), taskArea());
        for (QWidget* control : std::initializer_list<QWidget*> {
                 m_shapes[index], m_solutions[index], m_boxes[index] }) {
            control->move(box);
            control->setVisible(shown);
        }
        m_tiles[index]->setVisible(shown);
    }
    showTiles();
    panel().setTaskNumber(m_puzzle.taskNumber());
    if (byKeyboard)
        chooseTile(0);
}

void WordPuzzleScreen::showTiles()
{
    for (int i = 0; i < m_puzzle.length(); ++i) {
        QLabel* tile = m_tiles[static_cast<std::size_t>(i)];
        const WordPuzzle::Tile& shown = m_puzzle.tile(i);
        tile->move(place(shown.position, this));
        Theme::setBackground(tile, colour(shown.colour));
        // A fixed tile no longer moves, so the keyboard passes it by.
        tile->setFocusPolicy(
            shown.colour == WordPuzzle::Colour::Green ? Qt::NoFocus : Qt::TabFocus);
        tile->setAccessibleName(QStringLiteral("Buchstabe ") + shown.letter);
        const QString content = m_puzzle.occupied(i)
            ? QStringLiteral("belegt mit ") + m_puzzle.word()[i]
            : QStringLiteral("frei");
        m_boxes[static_cast<std::size_t>(i)]->setAccessibleName(
            QStringLiteral("Feld %1 von %2, %3").arg(i + 1).arg(m_puzzle.length()).arg(content));
    }
    // A fixed tile lies beneath every loose one: a loose tile dropped on a box that was then
    // filled must stay within reach of the mouse.
    const QObjectList bottomToTop = children();
    for (QObject* child : bottomToTop) {
        const auto found = std::find(m_tiles.begin(), m_tiles.end(), child);
        const int i = static_cast<int>(found - m_tiles.begin());
        if (found != m_tiles.end() && i < m_puzzle.length()
            && m_puzzle.tile(i).colour != WordPuzzle::Colour::Green)
            (*found)->raise();
    }
}

void WordPuzzleScreen::showOutcome(const WordPuzzle::Outcome& outcome)
{
    showTiles();
    showStep(outcome);
    if (outcome.flash)
        m_timer3->start(WordPuzzle::FlashTime);
    if (outcome.pause > 0)
        m_timer2->start(outcome.pause);
}

bool WordPuzzleScreen::eventFilter(QObject* watched, QEvent* event)
{
    const auto found = std::find(m_tiles.begin(), m_tiles.end(), watched);
    if (found == m_tiles.end())
        return ExerciseScreen::eventFilter(watched, event);
    const int i = static_cast<int>(found - m_tiles.begin());
    QLabel* tile = m_tiles[static_cast<std::size_t>(i)];
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        putBack();
        grabTile(i, pointer(i, *static_cast<QMouseEvent*>(event)));
        return true;
    case QEvent::MouseMove:
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::LeftButton)
            moveTile(i, pointer(i, *static_cast<QMouseEvent*>(event)));
        return true;
    case QEvent::MouseButtonRelease:
        dropTile(i);
        return true;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // The focus frame.
        tile->setLineWidth(event->type() == QEvent::FocusIn ? 3 : 1);
        if (event->type() == QEvent::FocusOut && i == m_carried)
            putBack();
        return ExerciseScreen::eventFilter(watched, event);
    default:
        return ExerciseScreen::eventFilter(watched, event);
    }
}

void WordPuzzleScreen::grabTile(int i, const WordPuzzle::Position& pointer)
{
    m_puzzle.grab(i, pointer);
    panel().setMessage({});
    showFeedback(TaskStep::Picture::None);
    // The tile in hand passes over the others.
    m_tiles[static_cast<std::size_t>(i)]->raise();
}

void WordPuzzleScreen::moveTile(int i, const WordPuzzle::Position& pointer)
{
    if (m_puzzle.drag(i, pointer))
        m_tiles[static_cast<std::size_t>(i)]->move(place(m_puzzle.tile(i).position, this));
}

void WordPuzzleScreen::dropTile(int i)
{
    showOutcome(m_puzzle.release(i));
}

WordPuzzle::Position WordPuzzleScreen::pointerFor(int i, const WordPuzzle::Position& corner) const
{
    const WordPuzzle::Position now = m_puzzle.tile(i).position;
    constexpr WordPuzzle::Position Grip { WordPuzzle::TileWidth / 2, WordPuzzle::TileHeight / 2 };
    return { Grip.left + corner.left - now.left, Grip.top + corner.top - now.top };
}

int WordPuzzleScreen::focusedTile() const
{
    const auto found = std::find(m_tiles.begin(), m_tiles.end(), focusWidget());
    const int i = static_cast<int>(found - m_tiles.begin());
    return found != m_tiles.end() && i < m_puzzle.length() ? i : -1;
}

void WordPuzzleScreen::keyPressed(QChar c)
{
    if (c == QLatin1Char('\r') && m_carried >= 0) {
        const int i = std::exchange(m_carried, -1);
        carryTo(-1);
        dropTile(i);
        if (m_puzzle.tile(i).colour == WordPuzzle::Colour::Green)
            chooseTile(1);
    } else if (c == QLatin1Char('\r') && focusedTile() >= 0) {
        takeTile(focusedTile());
    } else if (c.unicode() == 27) {
        putBack();
    }
}

void WordPuzzleScreen::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const int step = key == Qt::Key_Left || key == Qt::Key_Up ? -1
        : key == Qt::Key_Right || key == Qt::Key_Down         ? 1
                                                              : 0;
    if (step == 0) {
        ExerciseScreen::keyPressEvent(event);
        return;
    }
    if (m_carried >= 0)
        chooseBox(step);
    else
        chooseTile(step);
}

void WordPuzzleScreen::takeTile(int i)
{
    if (m_puzzle.tile(i).colour == WordPuzzle::Colour::Green)
        return;
    m_takenFrom = m_puzzle.tile(i).position;
    grabTile(i, pointerFor(i, m_takenFrom));
    m_carried = i;
    m_chosenBox = -1;
    chooseBox(1);
    if (m_chosenBox < 0)
        putBack();
}

void WordPuzzleScreen::chooseBox(int step)
{
    const int n = m_puzzle.length();
    for (int j = m_chosenBox + step; j >= 0 && j < n; j += step) {
        if (!m_puzzle.occupied(j)) {
            carryTo(j);
            return;
        }
    }
}

void WordPuzzleScreen::carryTo(int box)
{
    if (m_chosenBox >= 0)
        m_boxes[static_cast<std::size_t>(m_chosenBox)]->setLineWidth(1);
    m_chosenBox = box;
    if (box < 0)
        return;
    m_boxes[static_cast<std::size_t>(box)]->setLineWidth(3);
    moveTile(m_carried, pointerFor(m_carried, m_puzzle.box(box)));
}

void WordPuzzleScreen::putBack()
{
    if (m_carried < 0)
        return;
    const int i = std::exchange(m_carried, -1);
    carryTo(-1);
    moveTile(i, pointerFor(i, m_takenFrom));
}

void WordPuzzleScreen::chooseTile(int step)
{
    // Loose tiles from left to right, and from the top where two share a column.
    QList<int> loose;
    for (int i = 0; i < m_puzzle.length(); ++i) {
        if (m_puzzle.tile(i).colour != WordPuzzle::Colour::Green)
            loose.append(i);
    }
    if (loose.isEmpty())
        return;
    std::ranges::sort(loose, [this](int a, int b) {
        const WordPuzzle::Position& pa = m_puzzle.tile(a).position;
        const WordPuzzle::Position& pb = m_puzzle.tile(b).position;
        return std::pair(pa.left, pa.top) < std::pair(pb.left, pb.top);
    });
    const qsizetype at = loose.indexOf(focusedTile());
    const qsizetype next = at < 0 ? 0 : std::clamp<qsizetype>(at + step, 0, loose.size() - 1);
    m_tiles[static_cast<std::size_t>(loose[next])]->setFocus(Qt::TabFocusReason);
}

void WordPuzzleScreen::pauseEnded()
{
    m_timer2->stop();
    if (goOn([this] { return m_puzzle.next(); }))
        showWord();
}
