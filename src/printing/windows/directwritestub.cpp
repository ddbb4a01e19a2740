// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's Windows print engine hands text to the printer through the font engine that
// drew it, and for a DirectWrite engine it asks that engine for a GDI font. A Qt
// built without Direct2D compiles no DirectWrite font engine at all (its Windows
// platform keeps to the GDI font database), yet the print engine still names that
// call, and a static link then fails for want of it. No DirectWrite engine can exist
// in such a program, so the call never happens; this definition only lets the
// program link.
#include <windows.h>

class QWindowsFontEngineDirectWrite
{
public:
    HFONT createHFONT() const;
};

HFONT QWindowsFontEngineDirectWrite::createHFONT() const
{
    return nullptr;
}
