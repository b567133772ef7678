#include "print/u_NumberedTags.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int kOldColumns = 28;

QString NumberedTag(int n) {
    return u'[' + QString::number(n) + u']';
}

QString FieldTag(const QString& name) {
    return QStringLiteral("[FIELD:") + name + u']';
}

int OldColumns(const QStringList& oldNames) {
    return static_cast<int>(std::min<qsizetype>(kOldColumns, oldNames.size()));
}

}  // namespace

QString ConvertNumberedTags(const QString& text, const QStringList& oldNames) {
    QString result = text;
    for (int n = 0; n < OldColumns(oldNames); ++n) {
        const QString tag = NumberedTag(n);
        const QString field = FieldTag(oldNames[n]);
        // Each search continues after the text just inserted.
        for (qsizetype at = result.indexOf(tag); at >= 0;
             at = result.indexOf(tag, at + field.size())) {
            result.replace(at, tag.size(), field);
        }
    }
    return result;
}

void ConvertNumberedTags(QTextDocument& document, const QStringList& oldNames) {
    QTextCursor edit(&document);
    edit.beginEditBlock();
    for (int n = 0; n < OldColumns(oldNames); ++n) {
        const QString tag = NumberedTag(n);
        const QString field = FieldTag(oldNames[n]);
        QTextCursor found = document.find(tag, 0, QTextDocument::FindCaseSensitively);
        while (!found.isNull()) {
            found.insertText(field);  // the replaced text's format carries on
            found = document.find(tag, found, QTextDocument::FindCaseSensitively);
        }
    }
    edit.endEditBlock();
}
