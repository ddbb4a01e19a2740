// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/worksheet.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace practiceview {

// "Работен лист…": the teacher chooses how many problems and versions, which levels
// and variants, the unit and the sheet's number, and saves the sheet as a PDF or
// prints it (in the browser, opens the PDF to print).
class WorksheetDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WorksheetDialog(const practice::WorksheetOptions &options, QWidget *parent = nullptr);

    // What the dialog's settings ask for now.
    practice::WorksheetOptions options() const;

    void save();
    void print();

private:
    void updateButtons();

    QSpinBox *m_problems = nullptr;
    QSpinBox *m_versions = nullptr;
    QList<QCheckBox *> m_levels;
    QList<QCheckBox *> m_variants;
    QComboBox *m_unit = nullptr;
    QSpinBox *m_seed = nullptr;
    QCheckBox *m_withoutRectangle = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_print = nullptr;
};

} // namespace practiceview
