// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/startup.h"

#include "quadrelon-icon32.h"
#include "quadrelon_config.h"
#include "runtime/firstpaint.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace runtime {

namespace {

// On X11 and Wayland desktops Qt aborts with a plugin error when no display is
// reachable; say plainly what is missing and how to go on instead.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID) && !defined(Q_OS_WASM)
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

constexpr char kQtTexts[] = "qtbase_bg";

// Qt's own Bulgarian texts (context menus, message box buttons, dialogs), read from
// their file the first time Qt asks for one. The window's own texts are the program's,
// so nothing before the first paint needs them, and the file (165 KB) stays out of
// memory at start-up; the first context menu or message box reads it, well within a
// millisecond.
class QtTextsOnDemand final : public QTranslator
{
public:
    QtTextsOnDemand(QString directory, QObject *parent) : QTranslator(parent), m_directory(std::move(directory))
    {
    }

    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        // Qt may ask from any thread.
        std::call_once(m_reading, [this] { m_read = m_texts.load(QString::fromLatin1(kQtTexts), m_directory); });
        return m_read ? m_texts.translate(context, sourceText, disambiguation, n) : QString();
    }

private:
    const QString m_directory;
    mutable std::once_flag m_reading;
    mutable QTranslator m_texts;
    mutable bool m_read = false;
};

// Where Qt's Bulgarian texts are. The Windows build carries them inside the program,
// since no Qt is installed there; elsewhere they come with the system's Qt. Empty when
// there are none.
QString qtTextsDirectory()
{
    for (const QString &directory :
         {QStringLiteral(":/quadrelon/translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (QFileInfo::exists(directory + QLatin1Char('/') + QString::fromLatin1(kQtTexts) + QStringLiteral(".qm")))
            return directory;
    }
    return QString();
}

bool reportMissingDisplay()
{
    if (!displayMissing())
        return false;
    std::fputs("quadrelon: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
               "start it from a desktop session, or under a virtual display: "
               "xvfb-run -a quadrelon\n",
               stderr);
    return true;
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
    const QString directory = qtTextsDirectory();
    if (directory.isEmpty())
        return false;
    // The window is laid out left to right in every language; said outright, Qt does
    // not look into the texts for the direction when they are installed.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    return QCoreApplication::installTranslator(new QtTextsOnDemand(directory, qApp));
}

namespace {

// The names, version, icon and Qt texts every start gives the application.
void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quadrelon"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationVersion(QStringLiteral(QUADRELON_VERSION_STRING));
    QApplication::setOrganizationDomain(QStringLiteral("quadrelon.example"));
    QApplication::setDesktopFileName(QStringLiteral("example.quadrelon.Quadrelon"));
    QApplication::setWindowIcon(programIcon());
    installBulgarianQtTexts();
}

} // namespace

int runTask(int &argc, char **argv, const std::function<int()> &task)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && !defined(Q_OS_ANDROID) && !defined(Q_OS_WASM)
    // Nothing is shown, so no display is needed: Qt's offscreen platform, unless
    // another one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    nameApplication();
    return task();
}

int runProgram(int &argc, char **argv, const std::function<std::unique_ptr<QWidget>()> &createWindow)
{
    if (reportMissingDisplay())
        return 2;

    // In the browser exec() never returns: it leaves through a JavaScript exception
    // that gives this function's stack frame back while the program goes on, so what
    // must outlive it is static there.
#if defined(Q_OS_WASM)
    static
#endif
    QApplication app(argc, argv);
    nameApplication();

#if defined(Q_OS_WASM)
    static
#endif
    const std::unique_ptr<QWidget> window = createWindow();
    watchFirstPaint(window.get()); // the start-up benchmark's hook; off unless asked for
    // Nothing can be pasted before the window is seen, and set earlier the thresholds
    // keep Qt's start-up garbage mapped and raise the peak memory.
    afterFirstPaint(window.get(), keepLargeBlocksForReuse);
    // Where windows are shown full-screen by default (in the browser, the whole page),
    // the window keeps its own size.
    window->showNormal();
    return QApplication::exec();
}

} // namespace runtime
