// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace browser {

// Gives the window's actions and buttons keys of their own in a browser. Ctrl+R
// (reload), Ctrl+N, Ctrl+P, Ctrl+G and Ctrl+Shift+C (the inspector) belong to the
// browser there: the page sees them first and could keep them, but a pupil who reloads
// or a teacher who inspects expects the browser to answer. Qt's browser platform also
// names a key by the character it types, so a letter with Ctrl or Alt misses its
// shortcut on a Cyrillic layout; function keys are the same on every layout, and no
// desktop browser uses F2, F4, F8 or F9 alone. A button's tooltip names its new key.
void useBrowserKeys(QWidget &window);

// The same for every window of the application as it is first shown, also those made
// later ("Решение", "Упражнение").
void useBrowserKeysEverywhere();

} // namespace browser
