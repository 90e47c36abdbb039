#pragma once

#include <QString>
#include <QStringList>

// The length units the style pages offer, each as the label shown in a unit
// combo and the code written into CSS. A unit is addressed by its row in
// the table; -1 stands for no unit.
class CStyleUnits {
public:
    static int Count();
    // Exact comparison ("PX" is no unit); -1 when the code is not listed.
    static int Find(const QString& code);
    // "" for -1 or an index outside the table.
    static QString Code(int index);
    // The labels in table order, to fill a unit combo.
    static const QStringList& Labels();
};
