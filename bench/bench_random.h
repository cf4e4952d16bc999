#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <cstddef>

// splitmix64: a small generator whose sequence is the same on every machine, so that the
// generated lists and files are the same on every run.
class BenchRandom {
public:
    explicit BenchRandom(quint64 seed) : m_state(seed) {}
    quint64 Next();
    int Below(int n) { return int(Next() % quint64(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T, std::size_t N> const T& Pick(const T (&items)[N]) {
        return items[Below(int(N))];
    }
    // count random decimal digits.
    QByteArray Digits(int count);

private:
    quint64 m_state;
};
