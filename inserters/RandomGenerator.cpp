#include "inserters/RandomGenerator.h"

#include <QTime>

RandomGenerator::RandomGenerator() : m_clock(&RandomGenerator::timeOfDay)
{
    std::random_device entropy;
    std::seed_seq seq{entropy(), entropy(), timeOfDay()};
    m_engine.seed(seq);
}

RandomGenerator::RandomGenerator(quint64 seed, Clock clock) : m_engine(seed), m_clock(std::move(clock)) {}

quint32 RandomGenerator::timeOfDay()
{
    return static_cast<quint32>(QTime::currentTime().msecsSinceStartOfDay());
}

void RandomGenerator::mixInTime()
{
    // The new state depends on the old one as well as on the clock: the same clock
    // value twice in a row still leads to two different states.
    const quint64 a = m_engine();
    const quint64 b = m_engine();
    std::seed_seq seq{static_cast<quint32>(a), static_cast<quint32>(a >> 32), static_cast<quint32>(b),
                      static_cast<quint32>(b >> 32), m_clock()};
    m_engine.seed(seq);
}

float RandomGenerator::next()
{
    mixInTime();
    // The top 24 bits over 2^24: exactly representable, never 1.0 (generate_canonical
    // may round up to 1 for float).
    const quint32 bits = static_cast<quint32>(m_engine() >> 40);
    return static_cast<float>(bits) * (1.0f / 16777216.0f);
}
