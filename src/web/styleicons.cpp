// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The browser edition is linked without the PNG icons of Qt's common style (340 kB of
// the download; cmake/QuadrelonWeb.cmake leaves them out): they serve file dialogs,
// tool bars, dock and MDI windows and icons on dialog buttons, none of which a window
// of the program has; its message box and the title bars Qt draws use the XPM images
// in Qt's code. QApplication still asks for the icons' resource by name at start-up.
int qInitResources_qstyle()
{
    return 1;
}
