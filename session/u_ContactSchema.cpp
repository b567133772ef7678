#include "session/u_ContactSchema.h"

#include <QCoreApplication>

#include <array>

namespace ContactSchema {
namespace {

// Titles are translated in this context so that a language module can
// replace them; the names are not.
constexpr const char* TitleContext = "ContactSchema";

// Layout versions a column first appeared in.
enum Since { V250, V251, V270 };

struct Column {
    const char* name;
    const char* title;
    const char* titleFull;
    Since since;
};

// clang-format off
constexpr std::array<Column, ColumnCount> Columns{{
    {names::SurName,          QT_TRANSLATE_NOOP("ContactSchema", "Surname"),   QT_TRANSLATE_NOOP("ContactSchema", "Surname"), V250},
    {names::FirstName,        QT_TRANSLATE_NOOP("ContactSchema", "Firstname"), QT_TRANSLATE_NOOP("ContactSchema", "Firstname"), V250},
    {names::Home_Nick,        QT_TRANSLATE_NOOP("ContactSchema", "Nick"),      QT_TRANSLATE_NOOP("ContactSchema", "Nick (home)"), V270},
    {names::Home_Address,     QT_TRANSLATE_NOOP("ContactSchema", "Address"),   QT_TRANSLATE_NOOP("ContactSchema", "Address (home)"), V250},
    {names::Home_Town,        QT_TRANSLATE_NOOP("ContactSchema", "Town"),      QT_TRANSLATE_NOOP("ContactSchema", "Town (home)"), V250},
    {names::Home_City,        QT_TRANSLATE_NOOP("ContactSchema", "City"),      QT_TRANSLATE_NOOP("ContactSchema", "City (home)"), V250},
    {names::Home_PSC,         QT_TRANSLATE_NOOP("ContactSchema", "ZipCode"),   QT_TRANSLATE_NOOP("ContactSchema", "ZipCode (home)"), V250},
    {names::Home_Country,     QT_TRANSLATE_NOOP("ContactSchema", "Country"),   QT_TRANSLATE_NOOP("ContactSchema", "Country (home)"), V250},
    {names::Home_Tel,         QT_TRANSLATE_NOOP("ContactSchema", "Phone"),     QT_TRANSLATE_NOOP("ContactSchema", "Phone (home)"), V250},
    {names::Home_Fax,         QT_TRANSLATE_NOOP("ContactSchema", "Fax"),       QT_TRANSLATE_NOOP("ContactSchema", "Fax (home)"), V250},
    {names::Home_WWW,         QT_TRANSLATE_NOOP("ContactSchema", "Internet"),  QT_TRANSLATE_NOOP("ContactSchema", "Internet (home)"), V250},
    {names::Home_Email,       QT_TRANSLATE_NOOP("ContactSchema", "E-mail"),    QT_TRANSLATE_NOOP("ContactSchema", "E-mail (home)"), V250},
    {names::Home_ICQ,         QT_TRANSLATE_NOOP("ContactSchema", "ICQ"),       QT_TRANSLATE_NOOP("ContactSchema", "ICQ (home)"), V251},
    {names::Home_Hobby,       QT_TRANSLATE_NOOP("ContactSchema", "Hobby"),     QT_TRANSLATE_NOOP("ContactSchema", "Hobby (home)"), V250},
    {names::Home_Misc,        QT_TRANSLATE_NOOP("ContactSchema", "Misc"),      QT_TRANSLATE_NOOP("ContactSchema", "Misc (home)"), V250},
    {names::Work_Company,     QT_TRANSLATE_NOOP("ContactSchema", "Company"),   QT_TRANSLATE_NOOP("ContactSchema", "Company (work)"), V250},
    {names::Work_CompanyDesc, QT_TRANSLATE_NOOP("ContactSchema", "Desc"),      QT_TRANSLATE_NOOP("ContactSchema", "Desc (work)"), V250},
    {names::Work_Position,    QT_TRANSLATE_NOOP("ContactSchema", "Position"),  QT_TRANSLATE_NOOP("ContactSchema", "Position (work)"), V270},
    {names::Work_Address,     QT_TRANSLATE_NOOP("ContactSchema", "Address"),   QT_TRANSLATE_NOOP("ContactSchema", "Address (work)"), V250},
    {names::Work_Town,        QT_TRANSLATE_NOOP("ContactSchema", "Town"),      QT_TRANSLATE_NOOP("ContactSchema", "Town (work)"), V250},
    {names::Work_City,        QT_TRANSLATE_NOOP("ContactSchema", "City"),      QT_TRANSLATE_NOOP("ContactSchema", "City (work)"), V250},
    {names::Work_PSC,         QT_TRANSLATE_NOOP("ContactSchema", "ZipCode"),   QT_TRANSLATE_NOOP("ContactSchema", "ZipCode (work)"), V250},
    {names::Work_Country,     QT_TRANSLATE_NOOP("ContactSchema", "Country"),   QT_TRANSLATE_NOOP("ContactSchema", "Country (work)"), V250},
    {names::Work_ICO,         QT_TRANSLATE_NOOP("ContactSchema", "ICO"),       QT_TRANSLATE_NOOP("ContactSchema", "ICO (work)"), V270},
    {names::Work_DIC,         QT_TRANSLATE_NOOP("ContactSchema", "DIC"),       QT_TRANSLATE_NOOP("ContactSchema", "DIC (work)"), V270},
    {names::Work_Tel,         QT_TRANSLATE_NOOP("ContactSchema", "Phone"),     QT_TRANSLATE_NOOP("ContactSchema", "Phone (work)"), V250},
    {names::Work_Fax,         QT_TRANSLATE_NOOP("ContactSchema", "Fax"),       QT_TRANSLATE_NOOP("ContactSchema", "Fax (work)"), V250},
    {names::Work_WWW,         QT_TRANSLATE_NOOP("ContactSchema", "Internet"),  QT_TRANSLATE_NOOP("ContactSchema", "Internet (work)"), V250},
    {names::Work_Email,       QT_TRANSLATE_NOOP("ContactSchema", "E-mail"),    QT_TRANSLATE_NOOP("ContactSchema", "E-mail (work)"), V250},
    {names::Work_ICQ,         QT_TRANSLATE_NOOP("ContactSchema", "ICQ"),       QT_TRANSLATE_NOOP("ContactSchema", "ICQ (work)"), V251},
    {names::Work_Misc,        QT_TRANSLATE_NOOP("ContactSchema", "Misc"),      QT_TRANSLATE_NOOP("ContactSchema", "Misc (work)"), V250},
    {names::Notes,            QT_TRANSLATE_NOOP("ContactSchema", "Notes"),     QT_TRANSLATE_NOOP("ContactSchema", "Notes"), V250},
}};

// clang-format on

// The names of the columns a layout version holds, in program order: every
// layout kept the order and only added columns.
QStringList namesSince(Since version) {
    QStringList list;
    list.reserve(ColumnCount);
    for (const Column& column : Columns) {
        if (column.since <= version) {
            list << QString::fromLatin1(column.name);
        }
    }
    return list;
}

QStringList titles(const char* Column::*text, bool translated = true) {
    QStringList list;
    list.reserve(ColumnCount);
    for (const Column& column : Columns) {
        list << (translated ? QCoreApplication::translate(TitleContext, column.*text)
                            : QString::fromUtf8(column.*text));
    }
    return list;
}

}  // namespace

QStringList ColumnNames() {
    return namesSince(V270);
}

QStringList ColumnTitles() {
    return titles(&Column::title);
}

QStringList ColumnTitlesFull() {
    return titles(&Column::titleFull);
}

QStringList ColumnTitlesEnglish() {
    return titles(&Column::title, false);
}

QStringList ColumnTitlesFullEnglish() {
    return titles(&Column::titleFull, false);
}

QStringList ColumnNames_2_5_2() {
    return namesSince(V251);
}

}  // namespace ContactSchema

const std::vector<TDBLayout>& DBLayouts() {
    using namespace ContactSchema;
    static const std::vector<TDBLayout> layouts{
        {QString::fromUtf8(QT_TRANSLATE_NOOP(
             "TDBLayouts",
             "Orvane Contacts 2.5.0 [2.5 (10.08.2001) BETA - 2.5 (07.10.2001) RC 1]")),
         QStringLiteral("2.5.0"), namesSince(V250)},
        {QString::fromUtf8(QT_TRANSLATE_NOOP(
             "TDBLayouts",
             "Orvane Contacts 2.5.1 [2.5 (31.10.2001) RC 3 - 2.6.0.26 (09.03.2003)]")),
         QStringLiteral("2.5.1"), namesSince(V251)},
        {QString::fromUtf8(QT_TRANSLATE_NOOP(
             "TDBLayouts", "Orvane Contacts 2.7.0 [2.7.0.27 (07.04.2004) - current version]")),
         QStringLiteral("2.7.0"), namesSince(V270)},
    };
    return layouts;
}
