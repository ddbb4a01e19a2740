// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checks.h"

#include "form/quadrelon.h"
#include "runtime/errors.h"
#include "runtime/numbertext.h"
#include "solver/rectangle.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

using runtime::ErrorCode;
using runtime::RuntimeError;

namespace fuzzchecks {

namespace {

// How a text shows up in a failure message: quoted, shortened, with its length.
QString shown(const QString &text)
{
    constexpr qsizetype kShown = 80;
    const QString cut = text.size() > kShown ? text.left(kShown) + QStringLiteral("…") : text;
    return QStringLiteral("\"%1\" (%2 chars)").arg(cut).arg(text.size());
}

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

bool showsNonFinite(const QString &text)
{
    return text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)
        || text.contains(QStringLiteral("inf"), Qt::CaseInsensitive);
}

// The C-locale text of a double, read back exactly.
double fromCText(const QString &text)
{
    const QByteArray latin = text.toLatin1();
    double value = 0.0;
    std::from_chars(latin.constData(), latin.constData() + latin.size(), value);
    return value;
}

// A locale's two-decimal text written the C way: no grouping, '.' and '-'.
QString inCForm(QString text, const QLocale &locale)
{
    if (!locale.groupSeparator().isEmpty())
        text.remove(locale.groupSeparator());
    text.replace(locale.decimalPoint(), QStringLiteral("."));
    text.replace(locale.negativeSign(), QStringLiteral("-"));
    return text;
}

// Reads a text that must hold a number; a run-time error is a broken rule.
bool readBack(const QString &text, double *value, QString *problem)
{
    try {
        *value = runtime::readNumber(text);
        return true;
    } catch (const RuntimeError &error) {
        *problem = QStringLiteral("readNumber(%1) raised error %2").arg(shown(text)).arg(error.number());
        return false;
    }
}

// The texts written for a value read from a cell.
QString checkWritten(double value, const QLocale &locale)
{
    QString problem;
    const QString plain = runtime::plainText(value);
    double back = 0.0;
    if (!readBack(plain, &back, &problem))
        return problem;
    if (back != value || (value != 0.0 && std::signbit(back) != std::signbit(value)) || showsNonFinite(plain))
        return QStringLiteral("plainText(%1) = %2 reads back as %3").arg(number(value), shown(plain), number(back));
    double whole = 0.0;
    if (!runtime::parseWholeNumber(plain, &whole) || whole != value)
        return QStringLiteral("plainText(%1) = %2 is not one whole number").arg(number(value), shown(plain));

    const QString two = runtime::twoDecimalText(value);
    const qsizetype point = two.lastIndexOf(locale.decimalPoint());
    if (point < 0 || two.size() - point - locale.decimalPoint().size() != 2 || showsNonFinite(two))
        return QStringLiteral("twoDecimalText(%1) = %2 has not two decimals").arg(number(value), shown(two));
    QString reference = QLocale::c().toString(value, 'f', 2);
    if (reference.startsWith(u'-') && !reference.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        reference.remove(0, 1); // a value that rounds to zero shows no sign
    if (inCForm(two, locale) != reference)
        return QStringLiteral("twoDecimalText(%1) = %2, rounded it is %3")
            .arg(number(value), shown(two), shown(reference));
    if (!readBack(two, &back, &problem))
        return problem;
    if (back != fromCText(reference) || (back == 0.0 && std::signbit(back)))
        return QStringLiteral("twoDecimalText(%1) = %2 reads back as %3, not as %4")
            .arg(number(value), shown(two), number(back), reference);
    return {};
}

bool isWellFormedReport(const QString &text, int *code)
{
    // An explanation of values without a rectangle is its message alone.
    for (int number = 1001; number <= 1009; ++number) {
        for (runtime::Quantities about = 0; about < 32; ++about) {
            if (text == runtime::errorMessage(static_cast<ErrorCode>(number), about)) {
                *code = number;
                return true;
            }
        }
    }
    static const QRegularExpression pattern(QStringLiteral("^Грешка (\\d+): (.*)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    *code = match.captured(1).toInt();
    const auto error = static_cast<ErrorCode>(*code);
    if (error == ErrorCode::ControlFailure || error == ErrorCode::TypeMismatch)
        return false; // the calculation reaches every control and computes with numbers only
    return match.captured(2) == runtime::errorMessage(error)
        && runtime::errorMessage(error) != runtime::errorMessage(static_cast<ErrorCode>(-1));
}

// Five results, each shown rounded to two decimals, must describe one rectangle. The
// bounds allow the rounding of the texts and a relative error far above the few
// units in the last place that the formulas lose, even where they cancel.
QString checkRectangle(const std::array<long double, 5> &x)
{
    const long double A = x[0], B = x[1], D = x[2], P = x[3], S = x[4];
    constexpr long double r = 0.00501L;
    constexpr long double relative = 1e-9L;
    if (std::fabs(P - 2 * (A + B)) > relative * P + 6 * r)
        return QStringLiteral("P is not 2(a + b)");
    if (D + relative * D + r < std::max(A, B) - r)
        return QStringLiteral("the diagonal is shorter than a side");
    if (D > A + B + 3 * r + relative * D)
        return QStringLiteral("the diagonal is longer than a + b");
    if (std::fabs(D * D - (A * A + B * B)) > relative * (A * A + B * B + D * D) + 2 * r * (A + B + D) + 3 * r * r)
        return QStringLiteral("d² is not a² + b²");
    if (std::fabs(S - A * B) > relative * (A + B) * (A + B) + r * (A + B) + r * r + r)
        return QStringLiteral("S is not a·b");
    return {};
}

QString rowText(const std::array<QString, kCells> &text, int row)
{
    QStringList cells;
    for (int c = 0; c < solver::kColumnCount; ++c)
        cells << shown(text[row * solver::kColumnCount + c]);
    return cells.join(QStringLiteral(", "));
}

} // namespace

const QLocale &localeFor(unsigned char selector)
{
    // Kept for the life of the process: a locale made anew for each input would be
    // an allocation that outlives the input, which libFuzzer takes for a leak.
    static const std::array<QLocale, 3> locales{QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                                QLocale(QLocale::Bulgarian, QLocale::Bulgaria)};
    return locales[selector % locales.size()];
}

QString checkNumberText(QByteArrayView input)
{
    if (input.isEmpty())
        return {};
    const QLocale locale = localeFor(static_cast<unsigned char>(input[0]));
    QLocale::setDefault(locale);
    const QString text = QString::fromUtf8(input.sliced(1));
    const QString where = QStringLiteral(" [%1, text %2]").arg(locale.name(), shown(text));

    double value = 0.0;
    try {
        value = runtime::readNumber(text);
    } catch (const RuntimeError &error) {
        if (error.code() != ErrorCode::Overflow)
            return QStringLiteral("readNumber raised error %1").arg(error.number()) + where;
        try {
            double whole = 0.0;
            if (runtime::parseWholeNumber(text, &whole))
                return QStringLiteral("parseWholeNumber gave %1 where readNumber overflowed").arg(number(whole)) + where;
        } catch (const RuntimeError &wholeError) {
            if (wholeError.code() != ErrorCode::Overflow)
                return QStringLiteral("parseWholeNumber raised error %1").arg(wholeError.number()) + where;
        }
        return {};
    }
    if (!std::isfinite(value))
        return QStringLiteral("readNumber gave %1").arg(number(value)) + where;

    double whole = 0.0;
    try {
        if (runtime::parseWholeNumber(text, &whole) && whole != value)
            return QStringLiteral("parseWholeNumber gave %1, readNumber %2").arg(number(whole), number(value)) + where;
    } catch (const RuntimeError &error) {
        return QStringLiteral("parseWholeNumber raised error %1").arg(error.number()) + where;
    }

    for (const double written : {value, std::fabs(value)}) {
        const QString problem = checkWritten(written, locale);
        if (!problem.isEmpty())
            return problem + where;
    }
    return {};
}

FormSnapshot FormSnapshot::of(const Quadrelon &form)
{
    FormSnapshot s;
    for (int k = 0; k < kCells; ++k) {
        s.text[k] = form.Text2[k]->text();
        s.readOnly[k] = form.Text2[k]->isReadOnly();
        s.enabled[k] = form.Text2[k]->isEnabled();
    }
    for (int r = 0; r < kVariants; ++r)
        s.checked[r] = form.Option1[r]->isChecked();
    if (form.SelectedVariant.isInteger() && form.SelectedVariant.toInt16() >= 0
        && form.SelectedVariant.toInt16() < kVariants)
        s.selected = form.SelectedVariant.toInt16();
    return s;
}

QString checkLocks(const FormSnapshot &state, bool asLoaded)
{
    if (state.selected < 0)
        return QStringLiteral("SelectedVariant is no variant");
    if (asLoaded && state.selected != 0)
        return QStringLiteral("variant %1 is selected right after loading").arg(state.selected + 1);
    for (int r = 0; r < kVariants; ++r) {
        if (state.checked[r] != (r == state.selected))
            return QStringLiteral("variant %1 is selected but button %2 is %3")
                .arg(state.selected + 1).arg(r + 1)
                .arg(state.checked[r] ? QStringLiteral("checked") : QStringLiteral("not checked"));
    }
    const int first = state.selected * solver::kColumnCount;
    const int last = asLoaded ? 3 : first + solver::kColumnCount - 1;
    for (int k = 0; k < kCells; ++k) {
        if (state.readOnly[k] == (k >= first && k <= last))
            return QStringLiteral("cell %1 is %2 with variant %3 selected%4")
                .arg(k)
                .arg(state.readOnly[k] ? QStringLiteral("locked") : QStringLiteral("unlocked"))
                .arg(state.selected + 1)
                .arg(asLoaded ? QStringLiteral(" since loading") : QString());
        if (state.enabled[k] != solver::isGivenCell(k))
            return QStringLiteral("cell %1 is %2").arg(k).arg(
                state.enabled[k] ? QStringLiteral("enabled") : QStringLiteral("disabled"));
    }
    return {};
}

QString checkSelected(const FormSnapshot &after, int variant)
{
    if (after.selected != variant)
        return QStringLiteral("variant %1 was selected, SelectedVariant is %2").arg(variant + 1).arg(after.selected + 1);
    for (int k = 0; k < kCells; ++k) {
        if (!after.text[k].isEmpty())
            return QStringLiteral("cell %1 holds %2 after a selection").arg(k).arg(shown(after.text[k]));
    }
    return checkLocks(after, false);
}

QString checkCleared(const FormSnapshot &before, const FormSnapshot &after)
{
    for (int k = 0; k < kCells; ++k) {
        if (!after.text[k].isEmpty())
            return QStringLiteral("cell %1 holds %2 after clearing").arg(k).arg(shown(after.text[k]));
    }
    if (after.readOnly != before.readOnly || after.enabled != before.enabled)
        return QStringLiteral("clearing changed the locks");
    if (after.selected != before.selected || after.checked != before.checked)
        return QStringLiteral("clearing changed the selection");
    return {};
}

QString checkCalculated(const FormSnapshot &before, const FormSnapshot &after, const QStringList &reports)
{
    const int variant = before.selected;
    if (variant < 0)
        return QStringLiteral("no variant selected before the calculation");
    if (after.selected != variant || after.checked != before.checked)
        return QStringLiteral("the calculation changed the selection");
    if (after.readOnly != before.readOnly || after.enabled != before.enabled)
        return QStringLiteral("the calculation changed the locks");
    const int first = variant * solver::kColumnCount;
    for (int k = 0; k < kCells; ++k) {
        if ((k < first || k >= first + solver::kColumnCount) && after.text[k] != before.text[k])
            return QStringLiteral("the calculation of variant %1 changed cell %2 from %3 to %4")
                .arg(variant + 1).arg(k).arg(shown(before.text[k]), shown(after.text[k]));
    }

    if (reports.size() > 1)
        return QStringLiteral("%1 error reports for one calculation: %2").arg(reports.size()).arg(reports.join(u'|'));
    int code = 0;
    if (reports.size() == 1 && !isWellFormedReport(reports[0], &code))
        return QStringLiteral("unexpected report %1").arg(shown(reports[0]));

    // Normalising: each cell that starts with a number is written as its absolute
    // value, in a text that reads back as that value (beyond 15 significant digits the
    // text typed); the others keep their text. A number too large stops it.
    std::array<QString, solver::kColumnCount> expected;
    std::array<double, solver::kColumnCount> values{};
    std::array<bool, solver::kColumnCount> found{};
    int overflowAt = -1;
    for (int c = 0; c < solver::kColumnCount; ++c) {
        const QString &text = before.text[first + c];
        try {
            values[c] = std::fabs(runtime::readNumber(text, &found[c]));
            expected[c] = found[c] ? runtime::givenText(values[c], text) : text;
        } catch (const RuntimeError &error) {
            if (error.code() != ErrorCode::Overflow)
                return QStringLiteral("readNumber(%1) raised error %2").arg(shown(text)).arg(error.number());
            overflowAt = c;
            for (; c < solver::kColumnCount; ++c)
                expected[c] = before.text[first + c];
            break;
        }
    }
    const QString context = QStringLiteral(" [variant %1, %2; before: %3; after: %4]")
                                .arg(variant + 1)
                                .arg(QLocale().name(), rowText(before.text, variant), rowText(after.text, variant));

    if (overflowAt >= 0 || reports.size() == 1) {
        if (reports.isEmpty())
            return QStringLiteral("cell %1 overflows but no error was reported").arg(first + overflowAt) + context;
        if (overflowAt >= 0 && code != static_cast<int>(ErrorCode::Overflow))
            return QStringLiteral("cell %1 overflows but error %2 was reported").arg(first + overflowAt).arg(code) + context;
        const int written = overflowAt < 0 ? solver::kColumnCount : overflowAt;
        for (int c = 0; c < solver::kColumnCount; ++c) {
            // No answer stays standing: the result cells are emptied.
            const QString want = solver::isGivenCell(first + c) ? expected[c] : QString();
            if (after.text[first + c] != want)
                return QStringLiteral("after error %1 cell %2 shows %3, not %4")
                    .arg(code).arg(first + c).arg(shown(after.text[first + c]), shown(want)) + context;
            if (c < written && found[c] && showsNonFinite(after.text[first + c]))
                return QStringLiteral("cell %1 shows %2").arg(first + c).arg(shown(after.text[first + c])) + context;
        }
        return {};
    }

    std::array<long double, solver::kColumnCount> results{};
    for (int c = 0; c < solver::kColumnCount; ++c) {
        const QString &text = after.text[first + c];
        if (solver::isGivenCell(first + c)) {
            results[c] = values[c];
            continue;
        }
        double value = 0.0;
        QString problem;
        if (showsNonFinite(text) || !readBack(text, &value, &problem) || runtime::twoDecimalText(value) != text
            || value < 0.0)
            return QStringLiteral("cell %1 shows %2, no two-decimal result").arg(first + c).arg(shown(text)) + context;
        results[c] = value;
    }
    for (const int c : solver::kGivenColumns[variant]) {
        // A rectangle has two sides greater than 0: without a number or with 0 it is refused.
        if (!found[c] || values[c] == 0.0)
            return QStringLiteral("given cell %1 holds no number or 0, yet a result is shown").arg(first + c) + context;
        const QString want = runtime::givenText(values[c], before.text[first + c]);
        if (after.text[first + c] != want)
            return QStringLiteral("given cell %1 shows %2, not %3").arg(first + c).arg(shown(after.text[first + c]), shown(want))
                + context;
    }
    const QString problem = checkRectangle(results);
    return problem.isEmpty() ? problem : problem + context;
}

ReportCatcher::ReportCatcher()
{
    qApp->installEventFilter(this);
}

ReportCatcher::~ReportCatcher()
{
    qApp->removeEventFilter(this);
}

QStringList ReportCatcher::take()
{
    return std::exchange(m_texts, {});
}

bool ReportCatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isModal())
        return false;
    const auto *box = qobject_cast<QMessageBox *>(dialog);
    m_texts << (box ? box->text() : QString::fromLatin1(dialog->metaObject()->className()));
    // The dialog's own event loop runs the close, so its exec() returns at once.
    QMetaObject::invokeMethod(dialog, [dialog] { dialog->done(QDialog::Accepted); }, Qt::QueuedConnection);
    return false;
}

CalculateRig::CalculateRig()
    : m_catcher(std::make_unique<ReportCatcher>())
{
    m_form = std::make_unique<Quadrelon>();
    m_form->show();
}

CalculateRig::~CalculateRig() = default;

QString CalculateRig::select(int variant)
{
    const FormSnapshot before = FormSnapshot::of(*m_form);
    if (before.selected == variant)
        return checkLocks(before, m_asLoaded);
    m_form->Option1[variant]->click();
    m_asLoaded = false;
    const QStringList reports = m_catcher->take();
    if (!reports.isEmpty())
        return QStringLiteral("selecting variant %1 reported %2").arg(variant + 1).arg(reports.join(u'|'));
    return checkSelected(FormSnapshot::of(*m_form), variant);
}

QString CalculateRig::calculateKnownRectangle(int variant)
{
    const FormSnapshot before = FormSnapshot::of(*m_form);
    m_form->Command1[1]->click();
    QString problem = checkCleared(before, FormSnapshot::of(*m_form));
    if (!problem.isEmpty())
        return problem;

    static constexpr std::array<double, solver::kColumnCount> kRectangle{4.5, 6.0, 7.5, 21.0, 27.0};
    for (const int c : solver::kGivenColumns[variant])
        m_form->Text2[variant * solver::kColumnCount + c]->setText(runtime::plainText(kRectangle[c]));
    m_form->Command1[0]->click();
    const QStringList reports = m_catcher->take();
    if (!reports.isEmpty())
        return QStringLiteral("the known rectangle reported %1").arg(reports.join(u'|'));
    for (int c = 0; c < solver::kColumnCount; ++c) {
        const QString got = m_form->Text2[variant * solver::kColumnCount + c]->text();
        if (got != runtime::twoDecimalText(kRectangle[c]))
            return QStringLiteral("the known rectangle of variant %1 shows %2 in column %3")
                .arg(variant + 1).arg(shown(got)).arg(c);
    }
    return {};
}

QString CalculateRig::check(QByteArrayView input)
{
    if (input.size() < 2)
        return {};
    const int variant = static_cast<unsigned char>(input[0]) % kVariants;
    QLocale::setDefault(localeFor(static_cast<unsigned char>(input[1])));

    QString problem = select(variant);
    if (!problem.isEmpty())
        return problem;

    // The given columns first, then the result columns.
    std::array<int, solver::kColumnCount> columns{};
    int n = 0;
    for (const int c : solver::kGivenColumns[variant])
        columns[n++] = c;
    for (int c = 0; c < solver::kColumnCount; ++c) {
        if (!solver::isGivenCell(variant * solver::kColumnCount + c))
            columns[n++] = c;
    }
    QByteArrayView rest = input.sliced(2);
    for (const int c : columns) {
        const qsizetype end = c == columns.back() ? -1 : rest.indexOf('\n');
        const QByteArrayView part = end < 0 ? rest : rest.first(end);
        m_form->Text2[variant * solver::kColumnCount + c]->setText(QString::fromUtf8(part));
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    }
    for (int k = 0; k < kCells; ++k) {
        if (k / solver::kColumnCount != variant)
            m_form->Text2[k]->setText(QStringLiteral("%1 x").arg(k));
    }

    const FormSnapshot before = FormSnapshot::of(*m_form);
    m_catcher->take();
    m_form->Command1[0]->click();
    problem = checkCalculated(before, FormSnapshot::of(*m_form), m_catcher->take());
    if (!problem.isEmpty())
        return problem;
    if (QApplication::activeModalWidget())
        return QStringLiteral("a modal dialog is still open after the calculation");
    if (!m_form->isVisible())
        return QStringLiteral("the window is gone after the calculation");
    return calculateKnownRectangle(variant);
}

} // namespace fuzzchecks
