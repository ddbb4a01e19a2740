// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(Q_OS_LINUX)
#include <ctime>
#include <unistd.h>
#endif

namespace runtime {

namespace {

constexpr char kVariable[] = "QUADRELON_EXIT_AFTER_FIRST_PAINT";

#if defined(Q_OS_LINUX)
long long nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long long monotonicNow()
{
    return nanoseconds(CLOCK_MONOTONIC);
}

// Milliseconds since the kernel started this process, or -1 when unknown. The
// start time (field 22 of /proc/self/stat) counts clock ticks since boot.
double millisecondsSinceProcessStart()
{
    const long long bootNow = nanoseconds(CLOCK_BOOTTIME);
    std::FILE *file = std::fopen("/proc/self/stat", "r");
    if (!file)
        return -1.0;
    char line[1024];
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    if (!read)
        return -1.0;
    // The command name in field 2 may hold blanks; the fields after it follow the ')'.
    const char *p = std::strrchr(line, ')');
    if (!p)
        return -1.0;
    ++p;
    for (int field = 3; field < 22 && p; ++field)
        p = std::strchr(p + 1, ' ');
    if (!p)
        return -1.0;
    const unsigned long long ticks = std::strtoull(p + 1, nullptr, 10);
    const long perSecond = sysconf(_SC_CLK_TCK);
    if (perSecond <= 0)
        return -1.0;
    const double startNs = static_cast<double>(ticks) * 1e9 / static_cast<double>(perSecond);
    return (static_cast<double>(bootNow) - startNs) / 1e6;
}
#else
long long monotonicNow()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double millisecondsSinceProcessStart()
{
    return -1.0;
}
#endif

// Notes the window's first paint event and, once that paint is done, runs `done`
// with the moments the event came (CLOCK_MONOTONIC and since the process started).
class FirstPaintProbe final : public QObject
{
public:
    using Done = std::function<void(long long paintNs, double paintMs)>;

    FirstPaintProbe(QWidget *window, Done done) : QObject(window), m_window(window), m_done(std::move(done))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            m_paintNs = monotonicNow();
            m_paintMs = millisecondsSinceProcessStart();
            // Queued: it runs once the window and its children are painted and flushed.
            QMetaObject::invokeMethod(this, &FirstPaintProbe::finish, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void finish()
    {
        m_done(m_paintNs, m_paintMs);
        deleteLater();
    }

    QWidget *m_window;
    Done m_done;
    long long m_paintNs = 0; // when the first paint event came
    double m_paintMs = 0.0;
};

} // namespace

void watchFirstPaint(QWidget *window)
{
    const char *value = std::getenv(kVariable);
    if (!value || !*value || std::strcmp(value, "0") == 0)
        return;
    new FirstPaintProbe(window, [](long long paintNs, double paintMs) {
        const long long painted = monotonicNow();
        std::printf("first-paint ms=%.1f monotonic_ns=%lld painted_ns=%lld\n", paintMs, paintNs, painted);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

void afterFirstPaint(QWidget *window, std::function<void()> then)
{
    new FirstPaintProbe(window, [then = std::move(then)](long long, double) { then(); });
}

} // namespace runtime
