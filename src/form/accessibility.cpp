// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/accessibility.h"

#include "form/quadrelon.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

namespace accessibility {

namespace {

// Speaks without showing anything: an accessible object of its own that a screen
// reader presents as a notification whenever it is reported shown. Qt 6.4 has no
// announcement call, and its name and description change events reach AT-SPI
// without the new text, which leaves Orca nothing to speak from them.
class Announcer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    QString text() const { return m_text; }

    void say(const QString &text)
    {
        m_text = text;
        // The name change first, so that a client that keeps names drops the old one.
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }

    // Drops what was said without saying anything, so that a reader who walks the
    // window's objects later does not find results that no longer stand.
    void forget()
    {
        if (m_text.isEmpty())
            return;
        m_text.clear();
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }

private:
    QString m_text;
};

class AnnouncerInterface : public QAccessibleObject
{
public:
    explicit AnnouncerInterface(Announcer *announcer) : QAccessibleObject(announcer) {}

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<Announcer *>(object())->text() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }
};

// A window that speaks through an announcer. A top-level QWidget is otherwise a
// "filler" with a title, which Orca does not announce as the window the user is in.
// Its announcer is its last child, so that the tree holds every object that sends
// events.
class WindowInterface : public QAccessibleWidget
{
public:
    explicit WindowInterface(QWidget *window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return QAccessibleWidget::childCount() + (announcer() ? 1 : 0); }
    QAccessibleInterface *child(int index) const override
    {
        if (announcer() && index == QAccessibleWidget::childCount())
            return QAccessible::queryAccessibleInterface(announcer());
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && announcer() && child->object() == announcer())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    Announcer *announcer() const
    {
        return widget()->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly);
    }
};

QAccessibleInterface *createInterface(const QString &, QObject *object)
{
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new AnnouncerInterface(announcer);
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->isWindow()
        && (qobject_cast<Quadrelon *>(object)
            || widget->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly)))
        return new WindowInterface(widget);
    return nullptr;
}

Announcer *announcerOf(QWidget *window)
{
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed);

    if (auto *announcer = window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly))
        return announcer;
    return new Announcer(window);
}

} // namespace

void attach(Quadrelon *window)
{
    Announcer *announcer = announcerOf(window);
    QObject::connect(window, &Quadrelon::calculated, announcer,
                     [window, announcer] { announcer->say(resultsText(*window)); });
    for (const auto gone : {&Quadrelon::givenChanged, &Quadrelon::calculationFailed, &Quadrelon::cleared})
        QObject::connect(window, gone, announcer, &Announcer::forget);
}

void speaks(QWidget *window)
{
    announcerOf(window);
}

void say(QWidget *window, const QString &text)
{
    announcerOf(window)->say(text);
}

QString lastSaid(const QWidget *window)
{
    const auto *announcer = window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly);
    return announcer ? announcer->text() : QString();
}

QString resultsText(const Quadrelon &window)
{
    const qint16 row = window.SelectedVariant.toInt16();
    if (row < 0 || row >= solver::kVariantCount)
        return QString();
    QStringList results;
    for (int c = 0; c < solver::kColumnCount; ++c) {
        // The column headings name the quantities as the user sees them.
        results << window.Label1[c + 1]->text() + QStringLiteral(" = ")
                + window.Text2[row * solver::kColumnCount + c]->text();
    }
    return results.join(QStringLiteral("; "));
}

} // namespace accessibility

#include "accessibility.moc"
