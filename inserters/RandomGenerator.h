#pragma once

#include <QtGlobal>

#include <functional>
#include <random>

// The generator behind every random draw of the Special menu. It lives for the
// whole run; before each draw the time of day is mixed into its state (never a
// reseed to a value of the clock alone), so two draws within the same second are
// still independent and no two runs repeat each other.
class RandomGenerator {
public:
    // Milliseconds since midnight, or any value that changes with time.
    using Clock = std::function<quint32()>;

    // Seeded from the system's entropy source and the time of day.
    RandomGenerator();
    // A fixed start and clock, for tests.
    RandomGenerator(quint64 seed, Clock clock);

    // Mixes in the time of day, then draws r uniform in [0, 1) with single-precision
    // resolution (24 bits).
    float next();

    static quint32 timeOfDay();

private:
    void mixInTime();

    std::mt19937_64 m_engine;
    Clock m_clock;
};
