// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "browser/browserkeys.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include <utility>

using namespace Qt::StringLiterals;

void browser::useBrowserKeys(QWidget &window)
{
    const std::pair<QString, QKeySequence> keys[] = {
        {u"showSolutionAction"_s, QKeySequence(Qt::Key_F2)},
        {u"copyRowAction"_s, QKeySequence(Qt::Key_F4)},
    };
    for (const auto &[name, key] : keys) {
        if (auto *action = window.findChild<QAction *>(name, Qt::FindDirectChildrenOnly))
            action->setShortcut(key);
    }
}
