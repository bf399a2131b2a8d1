#include "language/WordPuzzleScreen.h"

#include "core/ExerciseCatalogue.h"
#include "core/ProgramState.h"
#include "core/Scoring.h"
#include "platform/Platform.h"
#include "ui/ClickLabel.h"
#include "ui/Theme.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

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
    , m_puzzle(row.number, state.ScoreTable, platform.clock, platform.random,
          TaskFile::forExercise(platform.folders, row.number))
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
}

void WordPuzzleScreen::showTiles()
{
    for (int i = 0; i < m_puzzle.length(); ++i) {
        QLabel* tile = m_tiles[static_cast<std::size_t>(i)];
        tile->move(place(m_puzzle.tile(i).position, this));
        Theme::setBackground(tile, colour(m_puzzle.tile(i).colour));
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
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        tilePressed(i, *static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        tileMoved(i, *static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        tileReleased(i);
        return true;
    default:
        return ExerciseScreen::eventFilter(watched, event);
    }
}

void WordPuzzleScreen::tilePressed(int i, const QMouseEvent& event)
{
    m_puzzle.grab(i, pointer(i, event));
    panel().setMessage({});
    showFeedback(TaskStep::Picture::None);
    // The tile in hand passes over the others.
    m_tiles[static_cast<std::size_t>(i)]->raise();
}

void WordPuzzleScreen::tileMoved(int i, const QMouseEvent& event)
{
    if (m_puzzle.drag(i, pointer(i, event), event.buttons() == Qt::LeftButton))
        m_tiles[static_cast<std::size_t>(i)]->move(place(m_puzzle.tile(i).position, this));
}

void WordPuzzleScreen::tileReleased(int i)
{
    showOutcome(m_puzzle.release(i));
}

void WordPuzzleScreen::pauseEnded()
{
    m_timer2->stop();
    if (goOn([this] { return m_puzzle.next(); }))
        showWord();
}
