#include "support/u_LetterFolding.h"

#include <vector>

namespace LetterFolding {
namespace {

// Letters that carry their accent in their own shape, without a
// decomposition to take it from.
char16_t plainLetter(char16_t c) {
    switch (c) {
        case u'ł':
        case u'Ł':
            return u'l';
        case u'đ':
        case u'Đ':
            return u'd';
        case u'ø':
        case u'Ø':
            return u'o';
        case u'ı':
            return u'i';
        default:
            return c;
    }
}

// What each character of the plane folds to, made once: folding character by
// character through a table keeps a search of a hundred thousand contacts
// fast.
const std::vector<char16_t>& foldTable() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
        for (std::size_t i = 0; i < t.size(); ++i) {
            QChar c(static_cast<char16_t>(i));
            if (c.isSurrogate()) {
                t[i] = c.unicode();
                continue;
            }
            // The first character of a canonical decomposition is the base.
            while (c.decompositionTag() == QChar::Canonical) {
                c = c.decomposition().front();
            }
            t[i] =
                c.category() == QChar::Mark_NonSpacing ? u'\0' : plainLetter(c.toLower().unicode());
        }
        return t;
    }();
    return table;
}

}  // namespace

char16_t FoldedChar(char16_t c) {
    return foldTable()[c];
}

void AppendFolded(QStringView text, QString& out) {
    const char16_t* const table = foldTable().data();
    // Folding never lengthens a text: write into room made once, then cut
    // off what the dropped marks left over.
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char16_t* dest = reinterpret_cast<char16_t*>(out.data()) + start;
    char16_t* const begin = dest;
    for (const QChar c : text) {
        const char16_t f = table[c.unicode()];
        *dest = f;
        dest += f != u'\0' ? 1 : 0;
    }
    out.resize(start + (dest - begin));
}

QString Fold(QStringView text) {
    QString folded;
    folded.reserve(text.size());
    AppendFolded(text, folded);
    return folded;
}

}  // namespace LetterFolding
