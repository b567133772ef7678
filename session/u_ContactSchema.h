#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The contact schema: the 32 text columns the program supports, in program
// order, and the column layouts databases have had over the program's
// versions. This is the one place that holds column names, titles and
// layouts; the session, the views, the exchange and print code read them here.
namespace ContactSchema {

inline constexpr int ColumnCount = 32;

// Program field positions.
enum Field : int {
    SurName,
    FirstName,
    Home_Nick,
    Home_Address,
    Home_Town,
    Home_City,
    Home_PSC,
    Home_Country,
    Home_Tel,
    Home_Fax,
    Home_WWW,
    Home_Email,
    Home_ICQ,
    Home_Hobby,
    Home_Misc,
    Work_Company,
    Work_CompanyDesc,
    Work_Position,
    Work_Address,
    Work_Town,
    Work_City,
    Work_PSC,
    Work_Country,
    Work_ICO,
    Work_DIC,
    Work_Tel,
    Work_Fax,
    Work_WWW,
    Work_Email,
    Work_ICQ,
    Work_Misc,
    Notes,
};

// Column names as stored in a database's column-name header. They never
// change with the language.
namespace names {
inline constexpr const char* SurName = "SurName";
inline constexpr const char* FirstName = "FirstName";
inline constexpr const char* Home_Nick = "Home_Nick";
inline constexpr const char* Home_Address = "Home_Address";
inline constexpr const char* Home_Town = "Home_Town";
inline constexpr const char* Home_City = "Home_City";
inline constexpr const char* Home_PSC = "Home_PSC";
inline constexpr const char* Home_Country = "Home_Country";
inline constexpr const char* Home_Tel = "Home_Tel";
inline constexpr const char* Home_Fax = "Home_Fax";
inline constexpr const char* Home_WWW = "Home_WWW";
inline constexpr const char* Home_Email = "Home_Email";
inline constexpr const char* Home_ICQ = "Home_ICQ";
inline constexpr const char* Home_Hobby = "Home_Hobby";
inline constexpr const char* Home_Misc = "Home_Misc";
inline constexpr const char* Work_Company = "Work_Company";
inline constexpr const char* Work_CompanyDesc = "Work_CompanyDesc";
inline constexpr const char* Work_Position = "Work_Position";
inline constexpr const char* Work_Address = "Work_Address";
inline constexpr const char* Work_Town = "Work_Town";
inline constexpr const char* Work_City = "Work_City";
inline constexpr const char* Work_PSC = "Work_PSC";
inline constexpr const char* Work_Country = "Work_Country";
inline constexpr const char* Work_ICO = "Work_ICO";
inline constexpr const char* Work_DIC = "Work_DIC";
inline constexpr const char* Work_Tel = "Work_Tel";
inline constexpr const char* Work_Fax = "Work_Fax";
inline constexpr const char* Work_WWW = "Work_WWW";
inline constexpr const char* Work_Email = "Work_Email";
inline constexpr const char* Work_ICQ = "Work_ICQ";
inline constexpr const char* Work_Misc = "Work_Misc";
inline constexpr const char* Notes = "Notes";
}  // namespace names

// The 32 column names in program order.
QStringList ColumnNames();
// Short titles (card labels) and full titles (table headings, messages,
// column pickers) in program order, in the current language.
QStringList ColumnTitles();
QStringList ColumnTitlesFull();
// The same titles as the program has them built in, in English, whatever the
// current language.
QStringList ColumnTitlesEnglish();
QStringList ColumnTitlesFullEnglish();
// The 28 column names of the 2.5.1 layout, in their old order.
QStringList ColumnNames_2_5_2();

}  // namespace ContactSchema

// A column layout that contacts databases have had. A database file names its
// columns in its "DBColsName" header, so any of them can be read; the
// converter writes any of them.
struct TDBLayout {
    QString text;         // as offered to the user, in English (context "TDBLayouts")
    QString version;      // written as the file's minimum and creating version
    QStringList columns;  // internal column names, in column order
};

// The layouts 2.5.0, 2.5.1 and 2.7.0, oldest first; the last is the current
// one (ContactSchema::ColumnNames()).
const std::vector<TDBLayout>& DBLayouts();
