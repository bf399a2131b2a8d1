#pragma once

#include <QString>

class Scores;

// Points per key for the exercises that score every typed character: a right one earns 1, a
// wrong one costs 10 without taking the score below 0, and a finished answer earns a bonus of
// L div (e + 1) for a prompt of L characters, e being the wrong keys typed since the screen
// opened; from the sixth wrong key on there is no bonus.
class KeyScoring
{
public:
    KeyScoring(int k, Scores& scores);

    // Each changes ScoreTable(k) and returns the message for lblPunktemeldung.
    QString right();
    QString wrong();
    QString bonus(qsizetype promptLength, int errors);

    // The bonus alone, without touching the score; -1 when there is none.
    static qint64 bonusPoints(qsizetype promptLength, int errors);

private:
    const int m_number;
    Scores& m_scores;
};
