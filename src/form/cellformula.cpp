#include "form/quadrelon.h"

#include <QLineEdit>

// Until the cells' own tooltips arrive, the formula is the whole tooltip.
void Quadrelon::setCellFormula(qint16 cell, const QString &formula)
{
    Text2[std::size_t(cell)]->setToolTip(formula);
}
