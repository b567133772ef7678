#pragma once

#include <QString>
#include <QStringList>

class QTextDocument;

// Templates of older program versions name columns by number: "[n]" is the
// n-th column (from 0) of the older 28-column layout. Loading such a
// template turns every "[n]" for n from 0 to 27 into "[FIELD:" + that
// column's name + "]"; other numbers stay as they are.

QString ConvertNumberedTags(const QString& text, const QStringList& oldNames);

// The same inside a rich-text document, keeping the formats of the text.
void ConvertNumberedTags(QTextDocument& document, const QStringList& oldNames);
