// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "browser/browserkeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QWidget>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct BrowserKey
{
    QString name; // the object name of an action or a button
    QKeySequence key;
};

// An empty key leaves the button to the mouse, the finger and the Tab key.
const BrowserKey kKeys[] = {
    // The calculator's.
    {u"showSolutionAction"_s, QKeySequence(Qt::Key_F2)},
    {u"copyRowAction"_s, QKeySequence(Qt::Key_F4)},
    {u"practiceAction"_s, QKeySequence(Qt::Key_F8)},
    // "Упражнение"'s, the solution on the calculator's key.
    {u"solutionButton"_s, QKeySequence(Qt::Key_F2)},
    {u"rootButton"_s, QKeySequence(Qt::Key_F4)},
    {u"worksheetButton"_s, QKeySequence(Qt::Key_F8)},
    {u"nextButton"_s, QKeySequence(Qt::Key_F9)},
    {u"findButton"_s, QKeySequence()},
};

class KeysOnShow final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow())
                browser::useBrowserKeys(*widget);
        }
        return false;
    }
};

} // namespace

void browser::useBrowserKeys(QWidget &window)
{
    for (const auto &[name, key] : kKeys) {
        if (auto *action = window.findChild<QAction *>(name, Qt::FindDirectChildrenOnly))
            action->setShortcut(key);
        if (auto *button = window.findChild<QAbstractButton *>(name)) {
            const QString old = button->shortcut().toString(QKeySequence::PortableText);
            QString tip = button->toolTip();
            if (!old.isEmpty() && tip.contains(old))
                button->setToolTip(key.isEmpty() ? tip.remove(u" ("_s + old + u')').remove(old).trimmed()
                                                 : tip.replace(old, key.toString(QKeySequence::PortableText)));
            button->setShortcut(key);
        }
    }
}

void browser::useBrowserKeysEverywhere()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        qApp->installEventFilter(new KeysOnShow(qApp));
}
