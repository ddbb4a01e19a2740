// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace practice {

// Numbers drawn from a seed, the same on every platform and standard library:
// SplitMix64's raw output, brought into a range by integer arithmetic alone (the
// standard distributions differ between libraries).
class Draw
{
public:
    explicit Draw(quint64 seed) : m_state(seed) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9e37'79b9'7f4a'7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58'476d'1ce4'e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d0'49bb'1331'11ebull;
        return z ^ (z >> 31);
    }

    // From 0 to count − 1; the bias of the remainder is below 2⁻⁴⁰ for the counts here.
    quint64 below(quint64 count) { return count ? next() % count : 0; }

    // From low to high, both included; low when high is below it.
    qint64 between(qint64 low, qint64 high)
    {
        return high <= low ? low : low + qint64(below(quint64(high - low) + 1));
    }

    quint64 state() const { return m_state; }

private:
    quint64 m_state;
};

} // namespace practice
