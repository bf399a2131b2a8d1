#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

constexpr int ExerciseCount = 12;

// The twelve running scores, indexed 1 to 12 by exercise number.
class Scores
{
public:
    qint32& operator()(int k) { return m_values.at(static_cast<std::size_t>(k - 1)); }
    qint32 operator()(int k) const { return m_values.at(static_cast<std::size_t>(k - 1)); }
    // Adds without wrapping: the score stops at the ends of the 32-bit range.
    void add(int k, qint64 points);
    // Takes points off, stopping at 0: a score that would fall below 0, or that was negative
    // already, becomes 0.
    void deduct(int k, qint64 points);
    bool operator==(const Scores&) const = default;

private:
    std::array<qint32, ExerciseCount> m_values {};
};

// Program-wide variables; lives for the whole run.
struct ProgramState
{
    Scores ScoreTable;
    QString strPunktedatei; // current score file; empty: none chosen in this run
    QString strSeite; // address opened by openWebPage

    // The timed task in progress (one typed text or one arithmetic task), see scoreTimedTask.
    qint32 lngStartzeit = 0;
    qint32 lngAnzahl = 0;
    qint32 lngFehler = 0;
    qint32 lngPunkte = 0;
    QString strErgebnis;
};
