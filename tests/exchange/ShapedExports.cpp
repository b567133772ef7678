#include "ShapedExports.h"

#include "support/u_TextEncoding.h"
#include "session/u_ContactSchema.h"

#include <initializer_list>
#include <utility>

namespace fixtures {
namespace {

using namespace ContactSchema;

using TValues = std::initializer_list<std::pair<const char*, const char*>>;

struct TStyle {
    bool quoteAll = false;       // every value in quotes, as Outlook writes them
    bool trailingComma = false;  // a comma after the last value, as Thunderbird writes it
    const char* lineEnd = "\r\n";
};

QString quoted(const QString& value, bool always) {
    if (!always && !value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n')) {
        return value;
    }
    return u'"' + QString(value).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

// A line of a file whose header is headings: the given values under their
// headings, defaults under others, the rest empty.
QString line(const QStringList& headings, TValues values, const TStyle& style,
             TValues defaults = {}) {
    QStringList cells(headings.size());
    for (const auto& list : {defaults, values}) {
        for (const auto& [heading, value] : list) {
            const qsizetype at = headings.indexOf(QString::fromUtf8(heading));
            Q_ASSERT(at >= 0);
            cells[at] = QString::fromUtf8(value);
        }
    }
    QStringList out;
    for (const QString& cell : cells) {
        out << quoted(cell, style.quoteAll);
    }
    return out.join(u',') + (style.trailingComma ? QStringLiteral(",") : QString()) +
           QString::fromLatin1(style.lineEnd);
}

QString headerLine(const QStringList& headings, const TStyle& style) {
    QStringList out;
    for (const QString& heading : headings) {
        out << quoted(heading, style.quoteAll);
    }
    return out.join(u',') + (style.trailingComma ? QStringLiteral(",") : QString()) +
           QString::fromLatin1(style.lineEnd);
}

QStringList contact(std::initializer_list<std::pair<int, const char*>> cells) {
    QStringList c(ColumnCount);
    for (const auto& [field, value] : cells) {
        c[field] = QString::fromUtf8(value);
    }
    return c;
}

QStringList split(const char* header) {
    return QString::fromUtf8(header).split(u',');
}

TShapedExport googleUntil2024() {
    const QStringList h = split(
        "Name,Given Name,Additional Name,Family Name,Yomi Name,Given Name Yomi,Additional Name "
        "Yomi,Family Name Yomi,Name Prefix,Name Suffix,Initials,Nickname,Short Name,Maiden "
        "Name,Birthday,Gender,Location,Billing Information,Directory Server,Mileage,Occupation,"
        "Hobby,Sensitivity,Priority,Subject,Notes,Language,Photo,Group Membership,E-mail 1 - "
        "Type,E-mail 1 - Value,E-mail 2 - Type,E-mail 2 - Value,Phone 1 - Type,Phone 1 - "
        "Value,Phone 2 - Type,Phone 2 - Value,Address 1 - Type,Address 1 - Formatted,Address "
        "1 - Street,Address 1 - City,Address 1 - PO Box,Address 1 - Region,Address 1 - Postal "
        "Code,Address 1 - Country,Address 1 - Extended Address,Organization 1 - "
        "Type,Organization 1 - Name,Organization 1 - Yomi Name,Organization 1 - "
        "Title,Organization 1 - Department,Organization 1 - Symbol,Organization 1 - "
        "Location,Organization 1 - Job Description,Website 1 - Type,Website 1 - Value");
    const TStyle style{false, false, "\n"};
    QString text = headerLine(h, style);
    text += line(h,
                 {{"Name", "Antonín Dvořák"},
                  {"Given Name", "Antonín"},
                  {"Family Name", "Dvořák"},
                  {"Nickname", "Toník"},
                  {"Birthday", "1841-09-08"},
                  {"Hobby", "Holubi"},
                  {"Notes", "Skladatel, dirigent"},
                  {"Group Membership", "* myContacts"},
                  {"E-mail 1 - Type", "* Home"},
                  {"E-mail 1 - Value", "antonin@dvorak.example.cz"},
                  {"E-mail 2 - Type", "Work"},
                  {"E-mail 2 - Value", "reditel@konzervator.example.cz"},
                  {"Phone 1 - Type", "Mobile"},
                  {"Phone 1 - Value", "+420 777 123 456"},
                  {"Phone 2 - Type", "Home"},
                  {"Phone 2 - Value", "+420 222 333 444"},
                  {"Address 1 - Type", "Home"},
                  {"Address 1 - Formatted", "Žitná 14\nNové Město\n120 00 Praha\nČesko"},
                  {"Address 1 - Street", "Žitná 14"},
                  {"Address 1 - City", "Praha"},
                  {"Address 1 - Postal Code", "120 00"},
                  {"Address 1 - Country", "Česko"},
                  {"Address 1 - Extended Address", "Nové Město"},
                  {"Organization 1 - Name", "Konzervatoř"},
                  {"Organization 1 - Title", "ředitel"},
                  {"Organization 1 - Department", "Skladba"},
                  {"Website 1 - Type", "Home Page"},
                  {"Website 1 - Value", "https://dvorak.example.cz"}},
                 style);
    text += line(h,
                 {{"Name", "Božena Němcová"},
                  {"Given Name", "Božena"},
                  {"Family Name", "Němcová"},
                  {"Group Membership", "* myContacts"},
                  {"E-mail 1 - Type", "* Other"},
                  {"E-mail 1 - Value", "bozena@example.cz"},
                  {"Phone 1 - Type", "Mobile"},
                  {"Phone 1 - Value", "603 111 222"}},
                 style);
    return {QStringLiteral("Google Contacts"),
            text.toUtf8(),
            {contact({{SurName, "Dvořák"},
                      {FirstName, "Antonín"},
                      {Home_Nick, "Toník"},
                      {Home_Address, "Žitná 14"},
                      {Home_Town, "Praha"},
                      {Home_City, "Nové Město"},
                      {Home_PSC, "120 00"},
                      {Home_Country, "Česko"},
                      {Home_Tel, "+420 777 123 456\n+420 222 333 444"},
                      {Home_WWW, "https://dvorak.example.cz"},
                      {Home_Email, "antonin@dvorak.example.cz"},
                      {Home_Hobby, "Holubi"},
                      {Work_Company, "Konzervatoř"},
                      {Work_CompanyDesc, "Skladba"},
                      {Work_Position, "ředitel"},
                      {Work_Email, "reditel@konzervator.example.cz"},
                      {Notes, "Skladatel, dirigent"}}),
             contact({{SurName, "Němcová"},
                      {FirstName, "Božena"},
                      {Home_Tel, "603 111 222"},
                      {Home_Email, "bozena@example.cz"}})}};
}

TShapedExport googleSince2024() {
    const QStringList h = split(
        "First Name,Middle Name,Last Name,Phonetic First Name,Phonetic Middle Name,Phonetic "
        "Last Name,Name Prefix,Name Suffix,Nickname,File As,Organization Name,Organization "
        "Title,Organization Department,Birthday,Notes,Photo,Labels,E-mail 1 - Label,E-mail 1 - "
        "Value,E-mail 2 - Label,E-mail 2 - Value,Phone 1 - Label,Phone 1 - Value,Address 1 - "
        "Label,Address 1 - Formatted,Address 1 - Street,Address 1 - City,Address 1 - PO "
        "Box,Address 1 - Region,Address 1 - Postal Code,Address 1 - Country,Address 1 - "
        "Extended Address,Website 1 - Label,Website 1 - Value");
    const TStyle style{false, false, "\r\n"};
    QString text = headerLine(h, style);
    text += line(h,
                 {{"First Name", "Karel"},
                  {"Middle Name", "Hynek"},
                  {"Last Name", "Mácha"},
                  {"Organization Name", "Nakladatelství Máj"},
                  {"Organization Title", "básník"},
                  {"Notes", "Byl pozdní večer – první máj"},
                  {"Labels", "* myContacts"},
                  {"E-mail 1 - Label", "* Home"},
                  {"E-mail 1 - Value", "karel@macha.example.cz"},
                  {"Phone 1 - Label", "Mobile"},
                  {"Phone 1 - Value", "+420 604 555 666"},
                  {"Address 1 - Label", "Home"},
                  {"Address 1 - Formatted", "Spálená 12\n110 00 Praha"},
                  {"Address 1 - Street", "Spálená 12"},
                  {"Address 1 - City", "Praha"},
                  {"Address 1 - Region", "Hlavní město Praha"},
                  {"Address 1 - Postal Code", "110 00"}},
                 style);
    return {QStringLiteral("Google Contacts"),
            text.toUtf8(),
            {contact({{SurName, "Mácha"},
                      {FirstName, "Karel"},
                      {Home_Address, "Spálená 12"},
                      {Home_Town, "Praha"},
                      {Home_PSC, "110 00"},
                      {Home_Tel, "+420 604 555 666"},
                      {Home_Email, "karel@macha.example.cz"},
                      {Work_Company, "Nakladatelství Máj"},
                      {Work_Position, "básník"},
                      {Notes, "Byl pozdní večer – první máj"}})}};
}

TShapedExport outlook() {
    const QStringList h = split(
        "Title,First Name,Middle Name,Last Name,Suffix,Company,Department,Job Title,Business "
        "Street,Business Street 2,Business Street 3,Business City,Business State,Business "
        "Postal Code,Business Country/Region,Home Street,Home Street 2,Home Street 3,Home "
        "City,Home State,Home Postal Code,Home Country/Region,Other Street,Other Street "
        "2,Other Street 3,Other City,Other State,Other Postal Code,Other "
        "Country/Region,Assistant's Phone,Business Fax,Business Phone,Business Phone "
        "2,Callback,Car Phone,Company Main Phone,Home Fax,Home Phone,Home Phone 2,ISDN,Mobile "
        "Phone,Other Fax,Other Phone,Pager,Primary Phone,Radio Phone,TTY/TDD "
        "Phone,Telex,Account,Anniversary,Assistant's Name,Billing Information,Birthday,Business "
        "Address PO Box,Categories,Children,Directory Server,E-mail Address,E-mail Type,E-mail "
        "Display Name,E-mail 2 Address,E-mail 2 Type,E-mail 2 Display Name,E-mail 3 "
        "Address,E-mail 3 Type,E-mail 3 Display Name,Gender,Government ID Number,Hobby,Home "
        "Address PO Box,Initials,Internet Free Busy,Keywords,Language,Location,Manager's "
        "Name,Mileage,Notes,Office Location,Organizational ID Number,Other Address PO "
        "Box,Priority,Private,Profession,Referred By,Sensitivity,Spouse,User 1,User 2,User "
        "3,User 4,Web Page");
    const TStyle style{true, false, "\r\n"};
    const TValues defaults{{"Anniversary", "0.0.00"}, {"Birthday", "0.0.00"},
                           {"Gender", "Unspecified"}, {"Priority", "Normal"},
                           {"Private", "False"},      {"Sensitivity", "Normal"}};
    QString text = headerLine(h, style);
    text += line(h,
                 {{"Title", "Ing."},
                  {"First Name", "Jiří"},
                  {"Last Name", "Kříž"},
                  {"Company", "Stavby Kříž s.r.o."},
                  {"Department", "Vedení"},
                  {"Job Title", "jednatel"},
                  {"Business Street", "Masarykova 5"},
                  {"Business Street 2", "3. patro"},
                  {"Business City", "Brno"},
                  {"Business Postal Code", "602 00"},
                  {"Business Country/Region", "Česká republika"},
                  {"Home Street", "Údolní 17"},
                  {"Home City", "Brno"},
                  {"Home Postal Code", "602 00"},
                  {"Business Fax", "+420 543 210 999"},
                  {"Business Phone", "+420 543 210 987"},
                  {"Home Phone", "+420 541 000 111"},
                  {"Mobile Phone", "+420 777 888 999"},
                  {"Primary Phone", "+420 777 888 999"},
                  {"E-mail Address", "jiri.kriz@stavby-kriz.example.cz"},
                  {"E-mail Type", "SMTP"},
                  {"E-mail Display Name", "Jiří Kříž (jiri.kriz@stavby-kriz.example.cz)"},
                  {"E-mail 2 Address", "jirka@example.cz"},
                  {"E-mail 2 Type", "SMTP"},
                  {"Hobby", "Rybaření"},
                  {"Notes", "Schůzky jen dopoledne.\r\nParkování ve dvoře."},
                  {"Web Page", "https://stavby-kriz.example.cz"}},
                 style, defaults);
    return {QStringLiteral("Microsoft Outlook"),
            EncodeWindows1250(text),
            {contact({{SurName, "Kříž"},
                      {FirstName, "Jiří"},
                      {Home_Address, "Údolní 17"},
                      {Home_Town, "Brno"},
                      {Home_PSC, "602 00"},
                      {Home_Tel, "+420 541 000 111\n+420 777 888 999"},
                      {Home_WWW, "https://stavby-kriz.example.cz"},
                      {Home_Email, "jiri.kriz@stavby-kriz.example.cz"},
                      {Home_Hobby, "Rybaření"},
                      {Work_Company, "Stavby Kříž s.r.o."},
                      {Work_CompanyDesc, "Vedení"},
                      {Work_Position, "jednatel"},
                      {Work_Address, "Masarykova 5\n3. patro"},
                      {Work_Town, "Brno"},
                      {Work_PSC, "602 00"},
                      {Work_Country, "Česká republika"},
                      {Work_Tel, "+420 543 210 987"},
                      {Work_Fax, "+420 543 210 999"},
                      {Work_Email, "jirka@example.cz"},
                      {Notes, "Schůzky jen dopoledne.\r\nParkování ve dvoře."}})}};
}

TShapedExport thunderbird() {
    const QStringList h = split(
        "First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Screen "
        "Name,Work Phone,Home Phone,Fax Number,Pager Number,Mobile Number,Home Address,Home "
        "Address 2,Home City,Home State,Home ZipCode,Home Country,Work Address,Work Address "
        "2,Work City,Work State,Work ZipCode,Work Country,Job "
        "Title,Department,Organization,Web Page 1,Web Page 2,Birth Year,Birth Month,Birth "
        "Day,Custom 1,Custom 2,Custom 3,Custom 4,Notes");
    const TStyle style{false, true, "\r\n"};
    QString text = headerLine(h, style);
    text += line(h,
                 {{"First Name", "Eliška"},
                  {"Last Name", "Šťastná"},
                  {"Display Name", "Eliška Šťastná"},
                  {"Nickname", "Eli"},
                  {"Primary Email", "eliska@stastna.example.cz"},
                  {"Secondary Email", "e.stastna@urad.example.cz"},
                  {"Work Phone", "+420 466 123 456"},
                  {"Home Phone", "466 999 888"},
                  {"Fax Number", "466 999 887"},
                  {"Mobile Number", "731 222 333"},
                  {"Home Address", "Pernštýnská 8"},
                  {"Home Address 2", "byt 12"},
                  {"Home City", "Pardubice"},
                  {"Home ZipCode", "530 02"},
                  {"Home Country", "Česká republika"},
                  {"Work Address", "Pernštýnská 11"},
                  {"Work City", "Pardubice"},
                  {"Work ZipCode", "530 21"},
                  {"Job Title", "referentka"},
                  {"Department", "Odbor dopravy"},
                  {"Organization", "Magistrát města Pardubic"},
                  {"Web Page 1", "https://urad.example.cz"},
                  {"Web Page 2", "https://eliska.example.cz"},
                  {"Birth Year", "1985"},
                  {"Birth Month", "4"},
                  {"Birth Day", "12"},
                  {"Notes", "Dárek: \"Babička\", 1. vydání"}},
                 style);
    text += line(h,
                 {{"First Name", "Ondřej"},
                  {"Last Name", "Žák"},
                  {"Display Name", "Ondřej Žák"},
                  {"Primary Email", "ondrej.zak@example.cz"}},
                 style);
    return {
        QStringLiteral("Thunderbird address book"),
        text.toUtf8(),
        {contact({{SurName, "Šťastná"},
                  {FirstName, "Eliška"},
                  {Home_Nick, "Eli"},
                  {Home_Address, "Pernštýnská 8\nbyt 12"},
                  {Home_Town, "Pardubice"},
                  {Home_PSC, "530 02"},
                  {Home_Country, "Česká republika"},
                  {Home_Tel, "466 999 888\n731 222 333"},
                  {Home_Fax, "466 999 887"},
                  {Home_WWW, "https://eliska.example.cz"},
                  {Home_Email, "eliska@stastna.example.cz"},
                  {Work_Company, "Magistrát města Pardubic"},
                  {Work_CompanyDesc, "Odbor dopravy"},
                  {Work_Position, "referentka"},
                  {Work_Address, "Pernštýnská 11"},
                  {Work_Town, "Pardubice"},
                  {Work_PSC, "530 21"},
                  {Work_Tel, "+420 466 123 456"},
                  {Work_WWW, "https://urad.example.cz"},
                  {Work_Email, "e.stastna@urad.example.cz"},
                  {Notes, "Dárek: \"Babička\", 1. vydání"}}),
         contact(
             {{SurName, "Žák"}, {FirstName, "Ondřej"}, {Home_Email, "ondrej.zak@example.cz"}})}};
}

}  // namespace

QList<TShapedExport> ShapedExports() {
    return {googleUntil2024(), googleSince2024(), outlook(), thunderbird()};
}

}  // namespace fixtures
