// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The rules the fuzzers check, shared with the test that replays their corpora and
// with the soak of the window. Each check returns an empty string when every rule
// holds and otherwise says which rule broke and how.

#include <QByteArrayView>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class Quadrelon;

namespace fuzzchecks {

inline constexpr int kCells = 50;
inline constexpr int kVariants = 10;

// The locale an input's first byte picks: C, en_US or bg_BG.
const QLocale &localeFor(unsigned char selector);

// Number texts. The first byte picks the locale, the rest is taken as UTF-8.
// readNumber never fails but with Overflow and never gives NaN or infinity; what
// plainText writes reads back exactly and what twoDecimalText writes reads back as
// the value rounded to two decimals; a whole number reads as its start does.
QString checkNumberText(QByteArrayView input);

// What the window shows, as far as the state rules care.
struct FormSnapshot
{
    std::array<QString, kCells> text;
    std::array<bool, kCells> readOnly{};
    std::array<bool, kCells> enabled{};
    std::array<bool, kVariants> checked{};
    int selected = -1; // SelectedVariant, or -1 when it is not an integer 0..9

    static FormSnapshot of(const Quadrelon &form);
};

// The locks after loading (cells 0..3 open) or after selecting `variant` (its five
// cells open); exactly the given cells enabled; the selection shown on its button.
QString checkLocks(const FormSnapshot &state, bool asLoaded);

// After a new variant was selected: all cells empty, the row's cells unlocked.
QString checkSelected(const FormSnapshot &after, int variant);

// After "Изчисти": every cell empty, locks and selection as before.
QString checkCleared(const FormSnapshot &before, const FormSnapshot &after);

// After "Изчисли" from `before`, with the error reports shown meanwhile (their texts):
// only the selected row changed; it holds five two-decimal results whose given cells
// show the normalised given values, or the normalised texts (as far as normalising
// got) with exactly one report; no "nan" or "inf" anywhere it wrote.
QString checkCalculated(const FormSnapshot &before, const FormSnapshot &after,
                        const QStringList &reports);

// Closes every modal dialog as soon as it is shown and keeps what it said, so a
// calculation that reports an error returns at once. Needs a QApplication.
class ReportCatcher : public QObject
{
public:
    ReportCatcher();
    ~ReportCatcher() override;

    QStringList take(); // the texts of the dialogs shown since the last call

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList m_texts;
};

// The calculate command on one shown window. The first byte of an input picks the
// variant, the second the locale; the rest, cut at line feeds, goes into the row's
// two given cells and then its three result cells. Every other cell gets a marker
// that must survive. After the calculation the window must still compute a known
// rectangle, so an error leaves it usable.
class CalculateRig
{
public:
    CalculateRig();
    ~CalculateRig();

    QString check(QByteArrayView input);

private:
    QString select(int variant);
    QString calculateKnownRectangle(int variant);

    std::unique_ptr<Quadrelon> m_form;
    std::unique_ptr<ReportCatcher> m_catcher;
    bool m_asLoaded = true;
};

} // namespace fuzzchecks
