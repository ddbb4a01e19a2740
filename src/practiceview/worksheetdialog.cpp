// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practiceview/worksheetdialog.h"

#include "practiceview/worksheetpdf.h"
#include "printing/printing.h"
#include "runtime/errorreport.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>
#if !defined(Q_OS_WASM)
#include <QFileDialog> // the browser has no file dialog: its PDF opens in a tab
#endif

using namespace Qt::StringLiterals;

namespace practiceview {

WorksheetDialog::WorksheetDialog(const practice::WorksheetOptions &options, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"WorksheetDialog"_s);
    setWindowTitle(u"Работен лист"_s);
    using Options = practice::WorksheetOptions;

    m_problems = new QSpinBox(this);
    m_problems->setObjectName(u"problemCount"_s);
    m_problems->setRange(1, Options::kMaxProblems);
    m_problems->setValue(options.problems);
    m_versions = new QSpinBox(this);
    m_versions->setObjectName(u"versionCount"_s);
    m_versions->setRange(1, Options::kMaxVersions);
    m_versions->setValue(options.versions);

    auto *levels = new QVBoxLayout;
    for (int level = 1; level <= practice::kLevelCount; ++level) {
        auto *box = new QCheckBox(practice::levelName(practice::Level(level)), this);
        box->setObjectName(u"level%1"_s.arg(level));
        box->setChecked(options.settings.levels.isEmpty()
                        || options.settings.levels.contains(practice::Level(level)));
        connect(box, &QCheckBox::toggled, this, &WorksheetDialog::updateButtons);
        levels->addWidget(box);
        m_levels << box;
    }
    auto *variants = new QGridLayout;
    for (int variant = 1; variant <= 10; ++variant) {
        auto *box = new QCheckBox(QString::number(variant), this);
        box->setObjectName(u"variant%1"_s.arg(variant));
        box->setAccessibleName(u"Вариант %1"_s.arg(variant));
        box->setChecked(options.settings.variants.isEmpty() || options.settings.variants.contains(variant));
        connect(box, &QCheckBox::toggled, this, &WorksheetDialog::updateButtons);
        variants->addWidget(box, (variant - 1) / 5, (variant - 1) % 5);
        m_variants << box;
    }

    m_unit = new QComboBox(this);
    m_unit->setObjectName(u"unitChoice"_s);
    for (int u = 0; u <= int(solver::LengthUnit::Kilometre); ++u) {
        const QString symbol = solver::unitSymbol(solver::LengthUnit(u));
        m_unit->addItem(symbol.isEmpty() ? u"без"_s : symbol, u);
    }
    m_unit->setCurrentIndex(int(options.settings.unit));

    m_seed = new QSpinBox(this);
    m_seed->setObjectName(u"seed"_s);
    m_seed->setRange(1, int(Options::kMaxSeed));
    m_seed->setValue(int(options.seed));
    auto *newSeed = new QPushButton(u"Нов номер"_s, this);
    newSeed->setObjectName(u"newSeedButton"_s);
    connect(newSeed, &QPushButton::clicked, this,
            [this] { m_seed->setValue(int(QRandomGenerator::global()->bounded(1000u, 10000u))); });
    auto *seedRow = new QHBoxLayout;
    seedRow->addWidget(m_seed, 1);
    seedRow->addWidget(newSeed);

    m_withoutRectangle = new QCheckBox(u"и задачи без решение"_s, this);
    m_withoutRectangle->setObjectName(u"withoutRectangle"_s);
    m_withoutRectangle->setChecked(options.settings.withoutRectangle);

    auto *form = new QFormLayout;
    form->addRow(u"&Задачи в група:"_s, m_problems);
    form->addRow(u"&Групи:"_s, m_versions);
    form->addRow(u"Нива:"_s, levels);
    form->addRow(u"Варианти:"_s, variants);
    form->addRow(u"&Мерна единица:"_s, m_unit);
    // A row of two widgets: the label names the number, which Alt+Н reaches.
    auto *seedLabel = new QLabel(u"&Номер на листа:"_s, this);
    seedLabel->setBuddy(m_seed);
    form->addRow(seedLabel, seedRow);
    form->addRow(QString(), m_withoutRectangle);

    m_save = new QPushButton(u"Запиши PDF…"_s, this);
    m_save->setObjectName(u"saveButton"_s);
    m_save->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, &WorksheetDialog::save);
    m_print = new QPushButton(u"Печат…"_s, this);
    m_print->setObjectName(u"printButton"_s);
    connect(m_print, &QPushButton::clicked, this, &WorksheetDialog::print);
    auto *close = new QPushButton(u"Затвори"_s, this);
    close->setObjectName(u"closeButton"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_print);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    updateButtons();
}

practice::WorksheetOptions WorksheetDialog::options() const
{
    practice::WorksheetOptions options;
    options.problems = m_problems->value();
    options.versions = m_versions->value();
    options.settings.levels.clear();
    for (int i = 0; i < m_levels.size(); ++i) {
        if (m_levels[i]->isChecked())
            options.settings.levels << practice::Level(i + 1);
    }
    options.settings.variants.clear();
    for (int i = 0; i < m_variants.size(); ++i) {
        if (m_variants[i]->isChecked())
            options.settings.variants << i + 1;
    }
    // All ten chosen is the same as none named.
    if (options.settings.variants.size() == m_variants.size())
        options.settings.variants.clear();
    options.settings.unit = solver::LengthUnit(m_unit->currentData().toInt());
    options.settings.withoutRectangle = m_withoutRectangle->isChecked();
    options.seed = quint32(m_seed->value());
    return options;
}

void WorksheetDialog::updateButtons()
{
    // A sheet needs a level and a variant to draw from.
    const auto anyChecked = [](const QList<QCheckBox *> &boxes) {
        return std::any_of(boxes.begin(), boxes.end(), [](const QCheckBox *box) { return box->isChecked(); });
    };
    const bool ready = anyChecked(m_levels) && anyChecked(m_variants);
    m_save->setEnabled(ready);
    m_print->setEnabled(ready);
}

void WorksheetDialog::save()
{
#if defined(Q_OS_WASM)
    // The browser offers the PDF as it offers a printout: in a tab of its own, whose
    // viewer saves it, or as a download where no tab may open.
    print();
    return;
#else
    const practice::WorksheetOptions chosen = options();
    const QString name = documentName(chosen) + u".pdf"_s;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, u"Запиши работния лист"_s,
                                                      QDir(folder).filePath(name), u"PDF (*.pdf)"_s);
    if (path.isEmpty())
        return;
    QString error;
    if (!writeWorksheetPdf(chosen, path, &error))
        QMessageBox::critical(this, windowTitle(), error);
#endif
}

void WorksheetDialog::print()
{
    if (!printing::available()) {
        runtime::reportError(this, runtime::RuntimeError(runtime::ErrorCode::PrintingUnavailable));
        return;
    }
    const practice::WorksheetOptions chosen = options();
    printing::printWithDialog(this, documentName(chosen), u"Печат на работния лист"_s,
                              [chosen](QPagedPaintDevice *printer) {
                                  return printWorksheet(practice::makeWorksheet(chosen), printer);
                              });
}

} // namespace practiceview
