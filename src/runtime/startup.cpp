// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/startup.h"

#include "quadrelon-icon32.h"
#include "quadrelon_config.h"
#include "runtime/firstpaint.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace runtime {

namespace {

// On X11 and Wayland desktops Qt aborts with a plugin error when no display is
// reachable; say plainly what is missing and how to go on instead.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID)
    const auto isSet = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    if (isSet("QT_QPA_PLATFORM"))
        return false;
    return !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

} // namespace

void keepLargeBlocksForReuse()
{
#if defined(__GLIBC__)
    // Blocks below 256 MB come from the heap instead of their own mappings, and up to
    // 512 MB of free heap stays mapped instead of going back to the system at once.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
}

QIcon programIcon()
{
    const QImage image(reinterpret_cast<const uchar *>(quadrelonIcon32Pixels), quadrelonIcon32Width,
                       quadrelonIcon32Height, QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(image));
}

bool installBulgarianQtTexts()
{
    auto *translator = new QTranslator(qApp);
    // The Windows build carries Qt's texts inside the program, since no Qt is
    // installed there; elsewhere they come with the system's Qt.
    if (!translator->load(QStringLiteral("qtbase_bg"), QStringLiteral(":/quadrelon/translations"))
        && !translator->load(QStringLiteral("qtbase_bg"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

int runProgram(int &argc, char **argv, const std::function<std::unique_ptr<QWidget>()> &createWindow)
{
    if (displayMissing()) {
        std::fputs("quadrelon: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                   "start it from a desktop session, or under a virtual display: "
                   "xvfb-run -a quadrelon\n",
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrelon"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationVersion(QStringLiteral(QUADRELON_VERSION_STRING));
    QApplication::setOrganizationDomain(QStringLiteral("quadrelon.example"));
    QApplication::setDesktopFileName(QStringLiteral("example.quadrelon.Quadrelon"));
    QApplication::setWindowIcon(programIcon());
    installBulgarianQtTexts();

    const std::unique_ptr<QWidget> window = createWindow();
    watchFirstPaint(window.get()); // the start-up benchmark's hook; off unless asked for
    // Nothing can be pasted before the window is seen, and set earlier the thresholds
    // keep Qt's start-up garbage mapped and raise the peak memory.
    afterFirstPaint(window.get(), keepLargeBlocksForReuse);
    window->show();
    return QApplication::exec();
}

} // namespace runtime
