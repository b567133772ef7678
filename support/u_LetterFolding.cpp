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

void AppendFoldedUtf8(std::string_view utf8, QString& out) {
    const char16_t* const table = foldTable().data();
    // A UTF-8 text has at least as many bytes as UTF-16 units.
    const qsizetype start = out.size();
    out.resize(start + static_cast<qsizetype>(utf8.size()));
    char16_t* dest = reinterpret_cast<char16_t*>(out.data()) + start;
    char16_t* const begin = dest;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const unsigned char* const end = p + utf8.size();
    while (p < end) {
        const unsigned b = *p;
        char16_t c = 0;
        if (b < 0x80) {
            c = static_cast<char16_t>(b);
            p += 1;
        } else if ((b & 0xE0) == 0xC0 && end - p >= 2) {
            c = static_cast<char16_t>(((b & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if ((b & 0xF0) == 0xE0 && end - p >= 3) {
            c = static_cast<char16_t>(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else if ((b & 0xF8) == 0xF0 && end - p >= 4) {
            // Beyond the plane: kept as it is, as its surrogate pair.
            const char32_t u =
                ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            *dest++ = QChar::highSurrogate(u);
            *dest++ = QChar::lowSurrogate(u);
            p += 4;
            continue;
        } else {
            p += 1;  // not UTF-8: the database never gives it
            continue;
        }
        const char16_t f = table[c];
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
