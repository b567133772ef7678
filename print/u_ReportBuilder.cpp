#include "print/u_ReportBuilder.h"

#include "print/u_TemplateRenderer.h"
#include "support/u_ProductInfo.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

// Closes whatever a template leaves open and returns to the base size, so a
// contact's formats never reach the next contact.
const QString kBlockEnd = QStringLiteral("[P+00][/B][/C][/I][/U]");

void RenderHeading(TTemplateRenderer& renderer, const TReportContent& content) {
    // The path is printed literally: a folder named "[I]" must neither vanish
    // nor open a range that is never closed.
    renderer.RenderText(u"[B][C][P+02]", 0);
    renderer.AppendLiteral(content.title);
    renderer.AppendLiteral(u"\n");
    renderer.AppendLiteral(content.databaseName);
    renderer.RenderText(u"[P+00][/C][/B]\n", 0);
    renderer.EndBlock();
}

void RenderClosing(TTemplateRenderer& renderer, const QStringList& lines) {
    for (const QString& line : lines) {
        renderer.AppendLiteral(line);
        renderer.AppendLiteral(u"\n");
    }
}

}  // namespace

QStringList ReportClosingLines() {
    return {product::Name, product::Copyright, product::WebAddress, product::SupportEmail};
}

QString BasicTemplate(const QStringList& titlesFull, const QStringList& names,
                      const QList<bool>& ticked) {
    QString text;
    const qsizetype count = std::min({titlesFull.size(), names.size(), ticked.size()});
    for (qsizetype k = 0; k < count; ++k) {
        if (ticked[k]) {
            text += QStringLiteral("[B]") + titlesFull[k] + QStringLiteral(": [/B][FIELD:") +
                    names[k] + QStringLiteral("]\n");
        }
    }
    return text;
}

void RenderReport(TTemplateRenderer& renderer, const TReportContent& content,
                  const TProgress& rowProgress) {
    renderer.Reset();
    RenderHeading(renderer, content);
    const QString block = content.templateText + kBlockEnd;
    const int count = static_cast<int>(content.rows.size());
    const int maximum = std::max(0, count - 1);
    if (rowProgress) {
        rowProgress(0, maximum);
    }
    for (int i = 0; i < count; ++i) {
        if (content.rows[i]) {
            renderer.RenderBlock(block, i);
        }
        if (rowProgress) {
            rowProgress(std::min(i + 1, maximum), maximum);
        }
    }
    RenderClosing(renderer, content.closingLines);
}

void BuildReport(QTextDocument& document, TTemplateRenderer& renderer,
                 const TReportContent& content, const TProgress& rowProgress,
                 const TProgress& markProgress) {
    RenderReport(renderer, content, rowProgress);
    // New text starts plain, left-aligned and at the base size.
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.insertText(renderer.Text(), QTextCharFormat());
    cursor.endEditBlock();
    ApplyFormatMarks(document, renderer.Marks(), markProgress);
}
