#include "query/u_QueryFile.h"

#include "query/u_IniFile.h"

#include <QCoreApplication>

#include <algorithm>

namespace QueryFile {

namespace {

const QString kSection = QStringLiteral("Query");

QString Key(const char* name, int n) {
    return QLatin1String(name) + QString::number(n);
}

QString ItemWord(uint8_t item, const QStringList& columnNames) {
    switch (item) {
        case TQuery::ItemEvery:
            return QStringLiteral("every");
        case TQuery::ItemAtLeastOne:
            return QStringLiteral("atleastone");
        case TQuery::ItemAny:
            return QStringLiteral("any");
        default:
            return columnNames.value(item - TQuery::ItemFirstColumn, QStringLiteral("any"));
    }
}

uint8_t ItemOfWord(const QString& word, const QStringList& columnNames) {
    if (word == QLatin1String("any"))
        return TQuery::ItemAny;
    if (word == QLatin1String("every"))
        return TQuery::ItemEvery;
    if (word == QLatin1String("atleastone"))
        return TQuery::ItemAtLeastOne;
    const qsizetype k = columnNames.indexOf(word);
    if (k < 0 || k + TQuery::ItemFirstColumn > 255)
        return TQuery::ItemAny;
    return static_cast<uint8_t>(k + TQuery::ItemFirstColumn);
}

QString ComparWord(int compar) {
    switch (compar) {
        case TQuery::DoesNotContain:
            return QStringLiteral("doesnotcontain");
        case TQuery::Is:
            return QStringLiteral("is");
        case TQuery::IsNot:
            return QStringLiteral("isnot");
        default:
            return QStringLiteral("contain");
    }
}

int ComparOfWord(const QString& word) {
    if (word == QLatin1String("doesnotcontain"))
        return TQuery::DoesNotContain;
    if (word == QLatin1String("is"))
        return TQuery::Is;
    if (word == QLatin1String("isnot"))
        return TQuery::IsNot;
    return TQuery::Contain;
}

}  // namespace

TIniFile ToIni(const TQuery& query, const QStringList& columnNames) {
    TIniFile ini;
    const int count = query.DefinedCount();
    ini.WriteString(kSection, QStringLiteral("Operator"),
                    query.op() == TQuery::Or ? QStringLiteral("or") : QStringLiteral("and"));
    ini.WriteString(kSection, QStringLiteral("Count"), QString::number(count));
    for (int n = 1; n <= count; ++n) {
        const TQueryRow& row = query.row(n - 1);
        ini.WriteString(kSection, Key("Item", n), ItemWord(row.item, columnNames));
        ini.WriteString(kSection, Key("Compar", n), ComparWord(row.compar));
        ini.WriteString(kSection, Key("CaseSensitive", n),
                        row.caseSensitive ? QStringLiteral("true") : QStringLiteral("false"));
        ini.WriteString(kSection, Key("Text", n), TQuery::SingleLineText(row.text));
    }
    return ini;
}

bool FromIni(const TIniFile& ini, const QStringList& columnNames, TQuery& query, QString& error) {
    query.Clear();
    query.setOp(ini.ReadString(kSection, QStringLiteral("Operator"), QStringLiteral("and")) ==
                        QLatin1String("or")
                    ? TQuery::Or
                    : TQuery::And);
    const QString countText =
        ini.ReadString(kSection, QStringLiteral("Count"), QStringLiteral("0"));
    bool ok = false;
    const int written = countText.toInt(&ok, 10);
    if (!ok) {
        error = QCoreApplication::translate("QueryFile", "'%1' is not a valid integer value")
                    .arg(countText);
        return false;
    }
    // The older program kept the count in one byte.
    const int count = std::min(written & 0xFF, TQuery::RowCount);
    for (int n = 1; n <= count; ++n) {
        TQueryRow row;
        row.item = ItemOfWord(ini.ReadString(kSection, Key("Item", n), QStringLiteral("any")),
                              columnNames);
        row.compar =
            ComparOfWord(ini.ReadString(kSection, Key("Compar", n), QStringLiteral("contain")));
        row.caseSensitive = ini.ReadString(kSection, Key("CaseSensitive", n),
                                           QStringLiteral("false")) == QLatin1String("true");
        row.text = ini.ReadString(kSection, Key("Text", n), QString());
        query.setRow(n - 1, std::move(row));
    }
    return true;
}

bool Read(const QString& path, const QStringList& columnNames, TQuery& query, QString& error) {
    TIniFile ini;
    if (!TIniFile::Load(path, ini, error))
        return false;
    TQuery read;
    if (!FromIni(ini, columnNames, read, error))
        return false;
    query = std::move(read);
    return true;
}

bool Write(const QString& path, const TQuery& query, const QStringList& columnNames,
           QString& error) {
    return ToIni(query, columnNames).Save(path, error);
}

}  // namespace QueryFile
