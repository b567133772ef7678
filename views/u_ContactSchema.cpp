#include "views/u_ContactSchema.h"

#include <QCoreApplication>

#include <array>

namespace ContactSchema {
namespace {

// Titles are translated in this context so that a language module can
// replace them; the names are not.
constexpr const char* TitleContext = "ContactSchema";

struct Column {
    const char* name;
    const char* title;
    const char* titleFull;
};

// clang-format off
constexpr std::array<Column, ColumnCount> Columns{{
    {names::SurName,          QT_TRANSLATE_NOOP("ContactSchema", "Surname"),   QT_TRANSLATE_NOOP("ContactSchema", "Surname")},
    {names::FirstName,        QT_TRANSLATE_NOOP("ContactSchema", "Firstname"), QT_TRANSLATE_NOOP("ContactSchema", "Firstname")},
    {names::Home_Nick,        QT_TRANSLATE_NOOP("ContactSchema", "Nick"),      QT_TRANSLATE_NOOP("ContactSchema", "Nick (home)")},
    {names::Home_Address,     QT_TRANSLATE_NOOP("ContactSchema", "Address"),   QT_TRANSLATE_NOOP("ContactSchema", "Address (home)")},
    {names::Home_Town,        QT_TRANSLATE_NOOP("ContactSchema", "Town"),      QT_TRANSLATE_NOOP("ContactSchema", "Town (home)")},
    {names::Home_City,        QT_TRANSLATE_NOOP("ContactSchema", "City"),      QT_TRANSLATE_NOOP("ContactSchema", "City (home)")},
    {names::Home_PSC,         QT_TRANSLATE_NOOP("ContactSchema", "ZipCode"),   QT_TRANSLATE_NOOP("ContactSchema", "ZipCode (home)")},
    {names::Home_Country,     QT_TRANSLATE_NOOP("ContactSchema", "Country"),   QT_TRANSLATE_NOOP("ContactSchema", "Country (home)")},
    {names::Home_Tel,         QT_TRANSLATE_NOOP("ContactSchema", "Phone"),     QT_TRANSLATE_NOOP("ContactSchema", "Phone (home)")},
    {names::Home_Fax,         QT_TRANSLATE_NOOP("ContactSchema", "Fax"),       QT_TRANSLATE_NOOP("ContactSchema", "Fax (home)")},
    {names::Home_WWW,         QT_TRANSLATE_NOOP("ContactSchema", "Internet"),  QT_TRANSLATE_NOOP("ContactSchema", "Internet (home)")},
    {names::Home_Email,       QT_TRANSLATE_NOOP("ContactSchema", "E-mail"),    QT_TRANSLATE_NOOP("ContactSchema", "E-mail (home)")},
    {names::Home_ICQ,         QT_TRANSLATE_NOOP("ContactSchema", "ICQ"),       QT_TRANSLATE_NOOP("ContactSchema", "ICQ (home)")},
    {names::Home_Hobby,       QT_TRANSLATE_NOOP("ContactSchema", "Hobby"),     QT_TRANSLATE_NOOP("ContactSchema", "Hobby (home)")},
    {names::Home_Misc,        QT_TRANSLATE_NOOP("ContactSchema", "Misc"),      QT_TRANSLATE_NOOP("ContactSchema", "Misc (home)")},
    {names::Work_Company,     QT_TRANSLATE_NOOP("ContactSchema", "Company"),   QT_TRANSLATE_NOOP("ContactSchema", "Company (work)")},
    {names::Work_CompanyDesc, QT_TRANSLATE_NOOP("ContactSchema", "Desc"),      QT_TRANSLATE_NOOP("ContactSchema", "Desc (work)")},
    {names::Work_Position,    QT_TRANSLATE_NOOP("ContactSchema", "Position"),  QT_TRANSLATE_NOOP("ContactSchema", "Position (work)")},
    {names::Work_Address,     QT_TRANSLATE_NOOP("ContactSchema", "Address"),   QT_TRANSLATE_NOOP("ContactSchema", "Address (work)")},
    {names::Work_Town,        QT_TRANSLATE_NOOP("ContactSchema", "Town"),      QT_TRANSLATE_NOOP("ContactSchema", "Town (work)")},
    {names::Work_City,        QT_TRANSLATE_NOOP("ContactSchema", "City"),      QT_TRANSLATE_NOOP("ContactSchema", "City (work)")},
    {names::Work_PSC,         QT_TRANSLATE_NOOP("ContactSchema", "ZipCode"),   QT_TRANSLATE_NOOP("ContactSchema", "ZipCode (work)")},
    {names::Work_Country,     QT_TRANSLATE_NOOP("ContactSchema", "Country"),   QT_TRANSLATE_NOOP("ContactSchema", "Country (work)")},
    {names::Work_ICO,         QT_TRANSLATE_NOOP("ContactSchema", "ICO"),       QT_TRANSLATE_NOOP("ContactSchema", "ICO (work)")},
    {names::Work_DIC,         QT_TRANSLATE_NOOP("ContactSchema", "DIC"),       QT_TRANSLATE_NOOP("ContactSchema", "DIC (work)")},
    {names::Work_Tel,         QT_TRANSLATE_NOOP("ContactSchema", "Phone"),     QT_TRANSLATE_NOOP("ContactSchema", "Phone (work)")},
    {names::Work_Fax,         QT_TRANSLATE_NOOP("ContactSchema", "Fax"),       QT_TRANSLATE_NOOP("ContactSchema", "Fax (work)")},
    {names::Work_WWW,         QT_TRANSLATE_NOOP("ContactSchema", "Internet"),  QT_TRANSLATE_NOOP("ContactSchema", "Internet (work)")},
    {names::Work_Email,       QT_TRANSLATE_NOOP("ContactSchema", "E-mail"),    QT_TRANSLATE_NOOP("ContactSchema", "E-mail (work)")},
    {names::Work_ICQ,         QT_TRANSLATE_NOOP("ContactSchema", "ICQ"),       QT_TRANSLATE_NOOP("ContactSchema", "ICQ (work)")},
    {names::Work_Misc,        QT_TRANSLATE_NOOP("ContactSchema", "Misc"),      QT_TRANSLATE_NOOP("ContactSchema", "Misc (work)")},
    {names::Notes,            QT_TRANSLATE_NOOP("ContactSchema", "Notes"),     QT_TRANSLATE_NOOP("ContactSchema", "Notes")},
}};

// The older layout lacks Home_Nick, Work_Position, Work_ICO and Work_DIC.
constexpr std::array<const char*, 28> Columns_2_5_2{
    names::SurName,      names::FirstName,    names::Home_Address,     names::Home_Town,
    names::Home_City,    names::Home_PSC,     names::Home_Country,     names::Home_Tel,
    names::Home_Fax,     names::Home_WWW,     names::Home_Email,       names::Home_ICQ,
    names::Home_Hobby,   names::Home_Misc,    names::Work_Company,     names::Work_CompanyDesc,
    names::Work_Address, names::Work_Town,    names::Work_City,        names::Work_PSC,
    names::Work_Country, names::Work_Tel,     names::Work_Fax,         names::Work_WWW,
    names::Work_Email,   names::Work_ICQ,     names::Work_Misc,        names::Notes,
};
// clang-format on

}  // namespace

QStringList ColumnNames() {
    QStringList list;
    list.reserve(ColumnCount);
    for (const Column& column : Columns)
        list << QString::fromLatin1(column.name);
    return list;
}

QStringList ColumnTitles() {
    QStringList list;
    list.reserve(ColumnCount);
    for (const Column& column : Columns)
        list << QCoreApplication::translate(TitleContext, column.title);
    return list;
}

QStringList ColumnTitlesFull() {
    QStringList list;
    list.reserve(ColumnCount);
    for (const Column& column : Columns)
        list << QCoreApplication::translate(TitleContext, column.titleFull);
    return list;
}

QStringList ColumnNames_2_5_2() {
    QStringList list;
    list.reserve(static_cast<qsizetype>(Columns_2_5_2.size()));
    for (const char* name : Columns_2_5_2)
        list << QString::fromLatin1(name);
    return list;
}

QStringList IdentityColumnMap() {
    QStringList list;
    list.reserve(ColumnCount);
    for (int i = 0; i < ColumnCount; ++i)
        list << QString::number(i);
    return list;
}

}  // namespace ContactSchema
