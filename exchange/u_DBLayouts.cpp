#include "exchange/u_DBLayouts.h"

#include <QCoreApplication>

namespace {

QStringList columns250() {
    return {"SurName",      "FirstName",    "Home_Address", "Home_Town",    "Home_City",
            "Home_PSC",     "Home_Country", "Home_Tel",     "Home_Fax",     "Home_WWW",
            "Home_Email",   "Home_Hobby",   "Home_Misc",    "Work_Company", "Work_CompanyDesc",
            "Work_Address", "Work_Town",    "Work_City",    "Work_PSC",     "Work_Country",
            "Work_Tel",     "Work_Fax",     "Work_WWW",     "Work_Email",   "Work_Misc",
            "Notes"};
}

// 2.5.1 added an ICQ number on both pages.
QStringList columns251() {
    QStringList columns = columns250();
    columns.insert(columns.indexOf("Home_Email") + 1, "Home_ICQ");
    columns.insert(columns.indexOf("Work_Email") + 1, "Work_ICQ");
    return columns;
}

QStringList columns270() {
    return {"SurName",          "FirstName",     "Home_Nick",    "Home_Address",
            "Home_Town",        "Home_City",     "Home_PSC",     "Home_Country",
            "Home_Tel",         "Home_Fax",      "Home_WWW",     "Home_Email",
            "Home_ICQ",         "Home_Hobby",    "Home_Misc",    "Work_Company",
            "Work_CompanyDesc", "Work_Position", "Work_Address", "Work_Town",
            "Work_City",        "Work_PSC",      "Work_Country", "Work_ICO",
            "Work_DIC",         "Work_Tel",      "Work_Fax",     "Work_WWW",
            "Work_Email",       "Work_ICQ",      "Work_Misc",    "Notes"};
}

}  // namespace

const std::vector<TDBLayout>& DBLayouts() {
    static const std::vector<TDBLayout> layouts{
        {QString::fromUtf8(QT_TRANSLATE_NOOP(
             "TDBLayouts",
             "Orvane Contacts 2.5.0 [2.5 (10.08.2001) BETA - 2.5 (07.10.2001) RC 1]")),
         QStringLiteral("2.5.0"), columns250()},
        {QString::fromUtf8(QT_TRANSLATE_NOOP(
             "TDBLayouts",
             "Orvane Contacts 2.5.1 [2.5 (31.10.2001) RC 3 - 2.6.0.26 (09.03.2003)]")),
         QStringLiteral("2.5.1"), columns251()},
        {QString::fromUtf8(QT_TRANSLATE_NOOP(
             "TDBLayouts", "Orvane Contacts 2.7.0 [2.7.0.27 (07.04.2004) - current version]")),
         QStringLiteral("2.7.0"), columns270()},
    };
    return layouts;
}
