#include "session/u_StorableText.h"

#include "session/u_QuibReader.h"

#include <QCoreApplication>

std::optional<TUnstorableText> FirstUnstorableText(const TQuibReader& quib,
                                                   const QStringList& texts) {
    if (quib.IsUnicode()) {
        return std::nullopt;
    }
    for (int column = 0; column < texts.size(); ++column) {
        QString missing;
        if (!quib.CanStoreText(texts[column], &missing)) {
            return TUnstorableText{missing, column, QString()};
        }
    }
    return std::nullopt;
}

QString UnicodeConversionQuestion(const QString& character) {
    return QCoreApplication::translate(
               "ContactsSession",
               "This database stores only Central European letters, so \"%1\" cannot be "
               "saved. Convert the database to Unicode? (Versions of the program before 2.8 "
               "cannot open it afterwards.)")
        .arg(character);
}

namespace {

QString notStoredMessage(const TUnstorableText& text) {
    return QCoreApplication::translate(
               "ContactsSession",
               "\"%1\" in the field \"%2\" cannot be saved: this database stores only Central "
               "European letters. Nothing was saved.")
        .arg(text.character, text.field);
}

}  // namespace

ETextNotStored::ETextNotStored(const TUnstorableText& text)
    : EExchangeError(notStoredMessage(text)), text_(text) {}
