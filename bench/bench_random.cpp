#include "bench_random.h"

quint64 BenchRandom::Next() {
    quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

QByteArray BenchRandom::Digits(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += char('0' + Below(10));
    return text;
}
