#include "print/u_TemplateRenderer.h"

#include <utility>

namespace {

const QString kFieldPrefix = QStringLiteral("FIELD:");

// Appends text with every line break as one "\n".
void AppendNormalized(QString& out, QStringView text) {
    if (!text.contains(u'\r')) {
        out += text;
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r') {
            out += c;
        } else if (i + 1 >= text.size() || text[i + 1] != u'\n') {
            out += u'\n';
        }
    }
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

TTemplateRenderer::TTemplateRenderer(const QStringList& names, const TColumnMap& fromProgram,
                                     CellReader cell)
    : cell_(std::move(cell)) {
    for (qsizetype k = 0; k < names.size(); ++k) {
        // The first column of a name wins.
        if (!columnOfName_.contains(names[k])) {
            columnOfName_.insert(names[k], fromProgram.at(static_cast<int>(k)));
        }
    }
}

void TTemplateRenderer::Reset() {
    text_.clear();
    marks_.Clear();
}

void TTemplateRenderer::RenderBlock(QStringView block, int row) {
    RenderText(block, row);
    EndBlock();
}

void TTemplateRenderer::RenderText(QStringView text, int row) {
    Scan(text, row, true);
}

void TTemplateRenderer::AppendLiteral(QStringView text) {
    AppendNormalized(text_, text);
}

void TTemplateRenderer::EndBlock() {
    text_ += QStringLiteral("\n\n");
}

void TTemplateRenderer::Scan(QStringView text, int row, bool expandFields) {
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'[', i);
        if (open < 0) {
            AppendNormalized(text_, text.mid(i));
            return;
        }
        AppendNormalized(text_, text.mid(i, open - i));
        const qsizetype close = text.indexOf(u']', open + 1);
        if (close < 0) {
            i = open + 1;  // a "[" without "]" is dropped, the text after it kept
            continue;
        }
        const QStringView content = text.mid(open + 1, close - open - 1);
        if (content.startsWith(kFieldPrefix)) {
            Field(text.mid(open, close - open + 1), content.mid(kFieldPrefix.size()), row,
                  expandFields);
        } else {
            FormatTag(content);
        }
        i = close + 1;
    }
}

void TTemplateRenderer::Field(QStringView tag, QStringView name, int row, bool expandFields) {
    if (!expandFields) {
        AppendNormalized(text_, tag);
        return;
    }
    // A name the catalogue does not hold is removed like any unknown tag.
    const auto it = columnOfName_.constFind(name.toString());
    if (it == columnOfName_.constEnd() || it.value() < 0 || !cell_) {
        return;
    }
    Scan(cell_(row, it.value()), row, false);
}

void TTemplateRenderer::FormatTag(QStringView content) {
    struct Pair {
        QChar letter;
        QList<int>& starts;
        QList<int>& ends;
    };
    const Pair pairs[] = {{u'B', marks_.lstFormat_B_start, marks_.lstFormat_B_end},
                          {u'I', marks_.lstFormat_I_start, marks_.lstFormat_I_end},
                          {u'U', marks_.lstFormat_U_start, marks_.lstFormat_U_end},
                          {u'C', marks_.lstFormat_C_start, marks_.lstFormat_C_end}};
    if (content.size() == 1 || (content.size() == 2 && content[0] == u'/')) {
        const QChar letter = content.back();
        for (const Pair& p : pairs) {
            if (p.letter == letter) {
                content.size() == 1 ? Open(p.starts, p.ends) : Close(p.starts, p.ends);
                return;
            }
        }
        return;
    }
    if (content.size() == 4 && content[0] == u'P' && (content[1] == u'+' || content[1] == u'-') &&
        IsDigit(content[2]) && IsDigit(content[3])) {
        marks_.lstFormat_FontSize_start.append(Offset());
        marks_.lstFormat_FontSize_size.append(content.mid(1).toString());
    }
    // Any other tag vanishes without effect.
}

void TTemplateRenderer::Open(QList<int>& starts, const QList<int>& ends) {
    if (starts.size() == ends.size()) {
        starts.append(Offset());
    }
}

void TTemplateRenderer::Close(const QList<int>& starts, QList<int>& ends) {
    if (starts.size() == ends.size() + 1) {
        ends.append(Offset());
    }
}
