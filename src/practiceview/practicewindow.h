// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/problem.h"
#include "practice/sitting.h"
#include "practice/worksheet.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace practiceview {

// "Упражнение": a problem to solve, a field for each quantity asked for, and the
// verdict on each answer in colour and in words. The level, the variants, the unit
// and "и задачи без решение" are remembered between runs; the score is of this
// sitting. Everything has a key, and a screen reader hears the problem and each
// verdict.
class PracticeWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PracticeWindow(QWidget *parent = nullptr);
    ~PracticeWindow() override;

    // A problem of the teacher's choice instead of the next one drawn.
    void showProblem(const practice::Problem &problem);
    const practice::Problem &problem() const { return m_sitting.problem(); }
    const practice::Settings &settings() const { return m_settings; }

    // "Провери", "Подсказка", "Покажи решението", "Нова задача", as their buttons.
    void check();
    void showHint();
    void showSolution();
    void newProblem();
    // "Задача №…": the problem with the number the teacher types, at these settings.
    void findProblem();
    // "Работен лист…" with the window's settings, or those given.
    void openWorksheet();
    void openWorksheet(const practice::WorksheetOptions &options);

    // The field of an unknown column (0 to 4), or nullptr when it is not asked.
    QLineEdit *field(int column) const;
    // The verdict in words after a field, and the one after the tick.
    QLabel *verdict(int column) const;
    QLabel *noRectangleVerdict() const { return m_noRectangleVerdict; }
    QCheckBox *noRectangle() const { return m_noRectangle; }
    QLabel *statement() const { return m_statement; }
    QLabel *title() const { return m_title; }
    QLabel *score() const { return m_score; }
    QLabel *message() const { return m_message; }
    QPlainTextEdit *working() const { return m_working; }

    // The colours of the verdicts, behind the field.
    static QColor rightColour();
    static QColor almostColour();
    static QColor wrongColour();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The name, field, unit and verdict of one quantity, shown when the problem asks
    // for it.
    struct Row
    {
        QLabel *name = nullptr;
        QLineEdit *field = nullptr;
        QLabel *unit = nullptr;
        QLabel *verdict = nullptr;
    };

    void createSettings();
    void createButtons();
    void readSettings();
    // The settings of the problems from the level, variant, unit and option chosen.
    void applyChoices();
    void settingsChanged();
    void layOut();
    void buildFields();
    void markField(int column, const practice::Check &check, bool closed);
    void showFeedback(const QString &verdicts, const practice::Feedback &feedback);
    void showWorking(const QStringList &lines);
    void showAnswers();
    void insertRoot();
    void updateButtons();

    practice::Settings m_settings;
    std::unique_ptr<practice::Generator> m_generator;
    practice::Sitting m_sitting;

    QComboBox *m_level = nullptr;
    QComboBox *m_variant = nullptr;
    QComboBox *m_unit = nullptr;
    QCheckBox *m_withoutRectangle = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_score = nullptr;
    QLabel *m_statement = nullptr;
    QWidget *m_fieldsBox = nullptr;
    QList<Row> m_rows;
    QCheckBox *m_noRectangle = nullptr;
    QLabel *m_noRectangleVerdict = nullptr;
    QPushButton *m_root = nullptr;
    QPushButton *m_check = nullptr;
    QPushButton *m_hint = nullptr;
    QPushButton *m_solution = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_find = nullptr;
    QPushButton *m_worksheet = nullptr;
    QLabel *m_message = nullptr;
    QPlainTextEdit *m_working = nullptr;
    // The answer field last in focus, which "√" writes into.
    QPointer<QLineEdit> m_lastField;
    bool m_shown = false;
    // What each field held when it was last judged.
    std::array<QString, 5> m_judged;
};

} // namespace practiceview
