#pragma once

#include <cstdint>
#include <random>

class Clock;

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Uniform on [0, 1); never returns 1.0.
    virtual double next() = 0;
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
