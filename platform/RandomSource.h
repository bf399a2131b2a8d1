#pragma once

#include <QtGlobal>
#include <cstdint>
#include <random>

class Clock;

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Uniform on [0, 1); never returns 1.0.
    virtual double next() = 0;
    // An index from 0 to count - 1, each equally likely: the integer part of next() · count.
    qsizetype index(qsizetype count);
};

// Mersenne twister seeded once from the time of day.
class SystemRandom final : public RandomSource
{
public:
    explicit SystemRandom(const Clock& clock);
    double next() override;

private:
    std::mt19937_64 m_engine;
};
