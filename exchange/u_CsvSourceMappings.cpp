#include "exchange/u_CsvSourceMappings.h"

#include "exchange/u_ContactFields.h"
#include "session/u_ContactSchema.h"
#include "support/u_ProductInfo.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>

namespace CsvSourceMappings {

using namespace ContactSchema;

namespace {

constexpr const char* kContext = "CsvSourceMappings";

// The Czech titles of the program's columns, as its Czech language module
// has them, so that a file written in Czech maps in any language.
// clang-format off
constexpr std::array<std::pair<const char16_t*, const char16_t*>, ColumnCount> kCzechTitles{{
    {u"Příjmení", u"Příjmení"},           {u"Jméno", u"Jméno"},
    {u"Přezdívka", u"Přezdívka (domácí)"}, {u"Adresa", u"Adresa (domácí)"},
    {u"Město", u"Město (domácí)"},         {u"Městská část", u"Městská část (domácí)"},
    {u"PSČ", u"PSČ (domácí)"},             {u"Stát", u"Stát (domácí)"},
    {u"Telefon", u"Telefon (domácí)"},     {u"Fax", u"Fax (domácí)"},
    {u"Internet", u"Internet (domácí)"},   {u"E-mail", u"E-mail (domácí)"},
    {u"ICQ", u"ICQ (domácí)"},             {u"Koníčky", u"Koníčky (domácí)"},
    {u"Různé", u"Různé (domácí)"},         {u"Firma", u"Firma (pracovní)"},
    {u"Popis", u"Popis firmy (pracovní)"}, {u"Funkce", u"Funkce (pracovní)"},
    {u"Adresa", u"Adresa (pracovní)"},     {u"Město", u"Město (pracovní)"},
    {u"Městská část", u"Městská část (pracovní)"}, {u"PSČ", u"PSČ (pracovní)"},
    {u"Stát", u"Stát (pracovní)"},         {u"IČO", u"IČO (pracovní)"},
    {u"DIČ", u"DIČ (pracovní)"},           {u"Telefon", u"Telefon (pracovní)"},
    {u"Fax", u"Fax (pracovní)"},           {u"Internet", u"Internet (pracovní)"},
    {u"E-mail", u"E-mail (pracovní)"},     {u"ICQ", u"ICQ (pracovní)"},
    {u"Různé", u"Různé (pracovní)"},       {u"Poznámky", u"Poznámky"},
}};
// clang-format on

// Google Contacts, "Google CSV": the format used until 2024 (given and family
// name, typed numbered values) and the one since (first and last name,
// labelled values). A value's type or label is in a column of its own, so
// the headings cannot tell home from work: the first address is taken as the
// home one, the second as the work one, and all phones as home phones.
TSource google() {
    return {QT_TRANSLATE_NOOP("CsvSourceMappings", "Google Contacts"),
            {
                {"Given Name", FirstName},
                {"Family Name", SurName},
                {"First Name", FirstName},
                {"Last Name", SurName},
                {"Nickname", Home_Nick},
                {"Hobby", Home_Hobby},
                {"Notes", Notes},
                {"E-mail # - Value", Home_Email, Work_Email},
                {"Phone # - Value", Home_Tel},
                {"Address 1 - Street", Home_Address},
                {"Address 1 - City", Home_Town},
                {"Address 1 - Extended Address", Home_City},
                {"Address 1 - Postal Code", Home_PSC},
                {"Address 1 - Country", Home_Country},
                {"Address 2 - Street", Work_Address},
                {"Address 2 - City", Work_Town},
                {"Address 2 - Extended Address", Work_City},
                {"Address 2 - Postal Code", Work_PSC},
                {"Address 2 - Country", Work_Country},
                {"Organization 1 - Name", Work_Company},
                {"Organization 1 - Title", Work_Position},
                {"Organization 1 - Department", Work_CompanyDesc},
                {"Organization Name", Work_Company},
                {"Organization Title", Work_Position},
                {"Organization Department", Work_CompanyDesc},
                {"Website # - Value", Home_WWW, Work_WWW},
            }};
}

// Microsoft Outlook's "Comma Separated Values" export (Outlook 2003 to
// Microsoft 365, and Outlook.com's contacts export, which adds the personal
// web page and the e-mail headings without the hyphen).
TSource outlook() {
    return {QT_TRANSLATE_NOOP("CsvSourceMappings", "Microsoft Outlook"),
            {
                {"First Name", FirstName},
                {"Last Name", SurName},
                {"Nickname", Home_Nick},
                {"Company", Work_Company},
                {"Department", Work_CompanyDesc},
                {"Job Title", Work_Position},
                {"Business Street", Work_Address},
                {"Business Street 2", Work_Address},
                {"Business Street 3", Work_Address},
                {"Business City", Work_Town},
                {"Business Postal Code", Work_PSC},
                {"Business Country/Region", Work_Country},
                {"Business Country", Work_Country},
                {"Home Street", Home_Address},
                {"Home Street 2", Home_Address},
                {"Home Street 3", Home_Address},
                {"Home City", Home_Town},
                {"Home Postal Code", Home_PSC},
                {"Home Country/Region", Home_Country},
                {"Home Country", Home_Country},
                {"Business Phone", Work_Tel},
                {"Business Phone 2", Work_Tel},
                {"Company Main Phone", Work_Tel},
                {"Home Phone", Home_Tel},
                {"Home Phone 2", Home_Tel},
                {"Mobile Phone", Home_Tel},
                {"Primary Phone", Home_Tel},
                {"Other Phone", Home_Tel},
                {"Business Fax", Work_Fax},
                {"Home Fax", Home_Fax},
                {"Other Fax", Home_Fax},
                {"E-mail Address", Home_Email, Work_Email},
                {"E-mail 2 Address", Home_Email, Work_Email},
                {"E-mail 3 Address", Home_Email, Work_Email},
                {"Email Address", Home_Email, Work_Email},
                {"Email 2 Address", Home_Email, Work_Email},
                {"Email 3 Address", Home_Email, Work_Email},
                {"Web Page", Home_WWW, Work_WWW},
                {"Personal Web Page", Home_WWW},
                {"Business Web Page", Work_WWW},
                {"Hobby", Home_Hobby},
                {"Notes", Notes},
            }};
}

// Thunderbird's address book export as comma-separated values (the headings
// of its English version). "Web Page 1" is the work page, "Web Page 2" the
// home one; its one fax number counts as a home fax, as a vCard fax without
// a type does.
TSource thunderbird() {
    return {QT_TRANSLATE_NOOP("CsvSourceMappings", "Thunderbird address book"),
            {
                {"First Name", FirstName},
                {"Last Name", SurName},
                {"Nickname", Home_Nick},
                {"Primary Email", Home_Email, Work_Email},
                {"Secondary Email", Work_Email, Home_Email},
                {"Work Phone", Work_Tel},
                {"Home Phone", Home_Tel},
                {"Mobile Number", Home_Tel},
                {"Pager Number", Home_Tel},
                {"Fax Number", Home_Fax},
                {"Home Address", Home_Address},
                {"Home Address 2", Home_Address},
                {"Home City", Home_Town},
                {"Home ZipCode", Home_PSC},
                {"Home ZIP", Home_PSC},
                {"Home Country", Home_Country},
                {"Work Address", Work_Address},
                {"Work Address 2", Work_Address},
                {"Work City", Work_Town},
                {"Work ZipCode", Work_PSC},
                {"Work ZIP", Work_PSC},
                {"Work Country", Work_Country},
                {"Job Title", Work_Position},
                {"Department", Work_CompanyDesc},
                {"Organization", Work_Company},
                {"Web Page 1", Work_WWW},
                {"Web Page 2", Home_WWW},
                {"Notes", Notes},
            }};
}

struct TTarget {
    int field;
    int alternative;
};
using TDictionary = QHash<QString, TTarget>;

void addKey(TDictionary& dictionary, const QString& key, const THeading& heading) {
    auto it = dictionary.find(key);
    if (it == dictionary.end()) {
        dictionary.insert(key, {heading.field, heading.alternative});
    } else if (it->field != heading.field && it->alternative < 0) {
        // A heading a source uses for two fields fills them in turn.
        it->alternative = heading.field;
    }
}

TDictionary dictionary(const TSource& source) {
    TDictionary dictionary;
    for (const THeading& heading : source.headings) {
        if (!heading.text.contains(u'#')) {
            addKey(dictionary, HeadingKey(heading.text), heading);
            continue;
        }
        for (int n = 1; n <= 9; ++n) {
            QString text = heading.text;
            addKey(dictionary, HeadingKey(text.replace(u'#', QString::number(n))), heading);
        }
    }
    return dictionary;
}

void addTitles(TSource& source, const QStringList& titles) {
    for (int field = 0; field < titles.size(); ++field) {
        source.headings.push_back({titles[field], field});
    }
}

// The field a heading fills, given the fields earlier headings took.
int chooseField(const TTarget& target, const QSet<int>& taken) {
    const std::array<int, 2> candidates{target.field, target.alternative};
    for (const int field : candidates) {
        if (field >= 0 && !taken.contains(field)) {
            return field;
        }
    }
    for (const int field : candidates) {
        if (field >= 0 && ContactFields::IsMultiLine(field)) {
            return field;
        }
    }
    return -1;
}

}  // namespace

QString HeadingKey(QStringView heading) {
    QString key;
    key.reserve(heading.size());
    for (const QChar c : heading) {
        if (!c.isSpace()) {
            key += c;
        }
    }
    return key.toCaseFolded();
}

TSource ProgramSource() {
    TSource source{product::Name, {}};
    addTitles(source, ColumnNames());
    addTitles(source, ColumnTitlesFullEnglish());
    addTitles(source, ColumnTitlesEnglish());
    QStringList czech, czechFull;
    for (const auto& [title, titleFull] : kCzechTitles) {
        czech << QString::fromUtf16(title);
        czechFull << QString::fromUtf16(titleFull);
    }
    addTitles(source, czechFull);
    addTitles(source, czech);
    addTitles(source, ColumnTitlesFull());
    addTitles(source, ColumnTitles());
    return source;
}

const std::vector<TSource>& OtherSources() {
    static const std::vector<TSource> sources{google(), outlook(), thunderbird()};
    return sources;
}

TMatch MatchHeadings(const QStringList& headings) {
    std::vector<TSource> sources{ProgramSource()};
    sources.insert(sources.end(), OtherSources().begin(), OtherSources().end());
    std::vector<TDictionary> dictionaries;
    for (const TSource& source : sources) {
        dictionaries.push_back(dictionary(source));
    }
    QStringList keys;
    for (const QString& heading : headings) {
        keys << HeadingKey(heading);
    }
    std::vector<int> score(sources.size(), 0);
    for (std::size_t s = 0; s < sources.size(); ++s) {
        for (const QString& key : keys) {
            score[s] += dictionaries[s].contains(key) ? 1 : 0;
        }
    }
    std::vector<std::size_t> order(sources.size());
    for (std::size_t s = 0; s < order.size(); ++s) {
        order[s] = s;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&score](std::size_t a, std::size_t b) { return score[a] > score[b]; });

    TMatch match;
    QSet<int> taken;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        int field = -1;
        for (const std::size_t s : order) {
            const auto it = dictionaries[s].constFind(keys[i]);
            if (it != dictionaries[s].constEnd()) {
                field = chooseField(*it, taken);
                break;
            }
        }
        match.fields << field;
        if (field >= 0) {
            taken << field;
            ++match.matched;
        } else if (!keys[i].isEmpty()) {
            match.unmatched << headings[i];
        }
    }
    if (score[order.front()] > 0) {
        match.source =
            QCoreApplication::translate(kContext, sources[order.front()].name.toUtf8().constData());
    }
    return match;
}

}  // namespace CsvSourceMappings
