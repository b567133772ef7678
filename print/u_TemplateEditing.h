#pragma once

#include <QString>
#include <QStringView>

// The texts the template editor's commands insert.
namespace TemplateEditing {

// The size tag for an amount from -6 to +6: "[P+00]", "[P+03]", "[P-02]".
QString SizeTag(int amount);

// The size in force at position of text: the signed amount of the nearest
// size tag before it ("[P" + sign + one or two digits + "]"), or 0.
int SizeAmountBefore(QStringView text, qsizetype position);

// The field tag of a column name.
QString FieldTag(const QString& name);

// The amount a font-size menu caption stands for ("+&3" is 3, "&Normal" 0).
int AmountOfCaption(QString caption);

}  // namespace TemplateEditing
