#include "app/u_SampleDatabase.h"

#include "session/u_ContactsDB.h"
#include "support/u_OrvFileLib.h"

#include <QFile>

#include <array>

namespace {

// One contact per entry: the 32 cells in program column order, separated by
// "|". Names, addresses, numbers and companies are made up.
const std::array<const char16_t*, 36> kContacts{
    u"Novák|Jan|Honza|Vinohradská 12|Praha|Praha 2|12000|ČR|+420 600 100 200|||jan.nov"
    u"ak@example.cz|100000000|Cyklistika||Stavby Novák s.r.o.|Stavební firma|Jednatel|"
    u"Průmyslová 10|Praha|Praha 2|12000|ČR|25000000|CZ25000000|+420 500 300 400||www.s"
    u"tavby.cz|j.novak@stavby.cz|||Potkali jsme se na konferenci.\nOzvat se v září.",
    u"Svobodová|Petra|Péťa|Lidická 45|Brno|Brno-střed|60200|ČR|+420 617 113 229|||petr"
    u"a.svobodova@example.cz||Jóga, čtení||Jihomoravská energetika a.s.|Energetika|Úče"
    u"tní|Technická 17|Brno|Brno-střed|60200|ČR|25104729|CZ25104729|+420 531 311 417||"
    u"www.jihomoravska.cz|p.svobodova@jihomoravska.cz|||Narozeniny v květnu.",
    u"Dvořák|Tomáš||Masarykova 8|Olomouc||77900|ČR|+420 624 126 258|||tomas.dvorak@exa"
    u"mple.cz||Rybaření||Hanácká pekárna|Pekárna|Mistr výroby|Obchodní 24|Olomouc||779"
    u"00|ČR|25209458|CZ25209458|+420 562 322 434||www.hanacka.cz|t.dvorak@hanacka.cz||"
    u"|",
    u"Černá|Lucie|Lucka|Nádražní 230|Ostrava|Ostrava-Přívoz|70200|ČR|+420 631 139 287|"
    u"||lucie.cerna@example.cz||Lezení||Ostravské strojírny a.s.|Strojírenství|Konstru"
    u"ktérka|Tovární 31|Ostrava|Ostrava-Přívoz|70200|ČR|25314187|CZ25314187|+420 593 3"
    u"33 451||www.ostravske.cz|l.cerna@ostravske.cz|||Potkali jsme se na konferenci.",
    u"Procházka|Martin|Marty|Husova 17|Plzeň||30100|ČR|+420 648 152 316|||martin.proch"
    u"azka@example.cz|100031676|Historie||Plzeňský pivovar|Pivovar|Sládek|Nádražní 38|"
    u"Plzeň||30100|ČR|25418916|CZ25418916|+420 524 344 468||www.plzensky.cz|m.prochazk"
    u"a@plzensky.cz|||Narozeniny v květnu.",
    u"Kučerová|Kateřina|Káťa|Palackého 3|Hradec Králové||50002|ČR|+420 655 165 345|||k"
    u"aterina.kucerova@example.cz||Plavání||Fakultní nemocnice HK|Zdravotnictví|Lékařk"
    u"a|Náměstí Míru 45|Hradec Králové||50002|ČR|25523645|CZ25523645|+420 555 355 485|"
    u"|www.fakultni.cz|k.kucerova@fakultni.cz|||",
    u"Veselý|Jiří|Jirka|Žižkova 91|Liberec|Liberec 1|46001|ČR|+420 662 178 374|||jiri."
    u"vesely@example.cz||Lyžování||Ještědská textilka|Textil|Obchodní ředitel|Palackéh"
    u"o 52|Liberec|Liberec 1|46001|ČR|25628374|CZ25628374|+420 586 366 502||www.jested"
    u"ska.cz|j.vesely@jestedska.cz|||Potkali jsme se na konferenci.",
    u"Horáková|Eva||Komenského 22|České Budějovice||37001|ČR|+420 679 191 403|||eva.ho"
    u"rakova@example.cz||Malování||Budějovická tiskárna|Tiskárna|Grafička|Husova 59|Če"
    u"ské Budějovice||37001|ČR|25733103|CZ25733103|+420 517 377 519||www.budejovicka.c"
    u"z|e.horakova@budejovicka.cz|||Narozeniny v květnu.",
    u"Němec|Pavel|Pavlík|Školní 5|Pardubice||53002|ČR|+420 686 204 432|||pavel.nemec@e"
    u"xample.cz|100063352|Dostihy||Perník s.r.o.|Cukrárna|Majitel|Průmyslová 66|Pardub"
    u"ice||53002|ČR|25837832|CZ25837832|+420 548 388 536||www.pernik.cz|p.nemec@pernik"
    u".cz|||",
    u"Marková|Markéta|Majda|Jiráskova 14|Zlín||76001|ČR|+420 693 217 461|||marketa.mar"
    u"kova@example.cz||Fotografie||Zlínská obuv a.s.|Obuvnictví|Designérka|Technická 7"
    u"3|Zlín||76001|ČR|25942561|CZ25942561|+420 579 399 553||www.zlinska.cz|m.markova@"
    u"zlinska.cz|||Potkali jsme se na konferenci.",
    u"Pokorný|Lukáš|Luky|Tyršova 66|Jihlava||58601|ČR|+420 600 230 490|||lukas.pokorny"
    u"@example.cz||Šachy||Vysočina IT s.r.o.|Software|Programátor|Obchodní 80|Jihlava|"
    u"|58601|ČR|26047290|CZ26047290|+420 500 410 570||www.vysocina.cz|l.pokorny@vysoci"
    u"na.cz|||Narozeniny v květnu.",
    u"Pospíšilová|Veronika|Verča|Sokolská 9|Karlovy Vary||36001|ČR|+420 617 243 519|||"
    u"veronika.pospisilova@example.cz||Tanec||Lázně Vary|Lázeňství|Fyzioterapeutka|Tov"
    u"ární 87|Karlovy Vary||36001|ČR|26152019|CZ26152019|+420 531 421 587||www.lazne.c"
    u"z|v.pospisilova@lazne.cz|||",
    u"Hájek|Ondřej|Ondra|U Potoka 4|Kutná Hora||28401|ČR|+420 624 256 548|||ondrej.haj"
    u"ek@example.cz|100095028|Geologie||Stříbrná stezka o.p.s.|Cestovní ruch|Průvodce|"
    u"Nádražní 94|Kutná Hora||28401|ČR|26256748|CZ26256748|+420 562 432 604||www.strib"
    u"rna.cz|o.hajek@stribrna.cz|||Potkali jsme se na konferenci.",
    u"Králová|Tereza|Terka|Dlouhá 33|Praha|Praha 1|11000|ČR|+420 631 269 577|||tereza."
    u"kralova@example.cz||Literatura||Knihkupectví Na Rohu|Knihkupectví|Vedoucí prodej"
    u"ny|Náměstí Míru 101|Praha|Praha 1|11000|ČR|26361477|CZ26361477|+420 593 443 621|"
    u"|www.knihkupectvi.cz|t.kralova@knihkupectvi.cz|||Narozeniny v květnu.",
    u"Růžička|Michal|Míša|Bezručova 7|Opava||74601|ČR|+420 648 282 606|||michal.ruzick"
    u"a@example.cz||Hory||Slezské sklo s.r.o.|Sklárna|Technolog|Palackého 108|Opava||7"
    u"4601|ČR|26466206|CZ26466206|+420 524 454 638||www.slezske.cz|m.ruzicka@slezske.c"
    u"z|||",
    u"Benešová|Barbora|Bára|Revoluční 12|Ústí nad Labem||40001|ČR|+420 655 295 635|||b"
    u"arbora.benesova@example.cz||Plachtění||Labská plavba a.s.|Doprava|Dispečerka|Hus"
    u"ova 115|Ústí nad Labem||40001|ČR|26570935|CZ26570935|+420 555 465 655||www.labsk"
    u"a.cz|b.benesova@labska.cz|||Potkali jsme se na konferenci.",
    u"Fiala|David||Mírová 28|Třebíč||67401|ČR|+420 662 308 664|||david.fiala@example.c"
    u"z|100126704|Řezbářství||Fiala a syn|Truhlářství|Truhlář|Průmyslová 122|Třebíč||6"
    u"7401|ČR|26675664|CZ26675664|+420 586 476 672||www.fiala.cz|d.fiala@fiala.cz|||Na"
    u"rozeniny v květnu.",
    u"Šimková|Zuzana|Zuzka|Nerudova 2|Český Krumlov||38101|ČR|+420 679 321 693|||zuzan"
    u"a.simkova@example.cz||Kanoistika||Hotel U Vltavy|Hotelnictví|Recepční|Technická "
    u"129|Český Krumlov||38101|ČR|26780393|CZ26780393|+420 517 487 689||www.hotel.cz|z"
    u".simkova@hotel.cz|||",
    u"Kříž|Jakub|Kuba|Wolkerova 19|Teplice||41501|ČR|+420 686 334 722|||jakub.kriz@exa"
    u"mple.cz||Vaření||Lázeňský dům|Lázeňství|Kuchař|Obchodní 136|Teplice||41501|ČR|26"
    u"885122|CZ26885122|+420 548 498 706||www.lazensky.cz|j.kriz@lazensky.cz|||Potkali"
    u" jsme se na konferenci.",
    u"Vaňková|Hana|Hanka|Polní 41|Tábor||39001|ČR|+420 693 347 751|||hana.vankova@exam"
    u"ple.cz||Zahrada||ZŠ Tábor|Školství|Učitelka|Tovární 143|Tábor||39001|ČR|26989851"
    u"|CZ26989851|+420 579 509 723||www.zs.cz|h.vankova@zs.cz|||Narozeniny v květnu.",
    u"Malý|Štěpán|Štěpa|Kollárova 11|Kolín||28002|ČR|+420 600 360 780|||stepan.maly@ex"
    u"ample.cz|100158380|Astronomie||Kolínská chemie a.s.|Chemie|Laborant|Nádražní 150"
    u"|Kolín||28002|ČR|27094580|CZ27094580|+420 500 520 740||www.kolinska.cz|s.maly@ko"
    u"linska.cz|||",
    u"Říhová|Alžběta|Běta|Vodičkova 27|Praha|Praha 1|11000|ČR|+420 617 373 809|||alzbe"
    u"ta.rihova@example.cz||Divadlo||Advokátní kancelář Říha|Právo|Advokátka|Náměstí M"
    u"íru 157|Praha|Praha 1|11000|ČR|27199309|CZ27199309|+420 531 531 757||www.advokat"
    u"ni.cz|a.rihova@advokatni.cz|||Potkali jsme se na konferenci.",
    u"Smith|John|Johnny|42 Baker Street|London|Marylebone|NW1 6|UK|+44 20 7264 3134|||"
    u"john.smith@example.com||Cricket||Smith & Partners Ltd|Accountancy|Partner|86 Bri"
    u"dge Road|London|Marylebone|NW1 6|UK|||+44 20 8028 3166||www.smith.com|j.smith@sm"
    u"ith.com|||Met at the trade fair.",
    u"Johnson|Emily|Em|12 High Street|Oxford||OX1 4|UK|+44 20 7391 3231|||emily.johnso"
    u"n@example.com||Rowing||Oxford Books|Publishing|Editor|89 Commerce Way|Oxford||OX"
    u"1 4|UK|||+44 20 8537 3219||www.oxford.com|e.johnson@oxford.com|||Prefers e-mail "
    u"to phone calls.",
    u"Brown|Oliver|Ollie|7 Queen's Road|Manchester|Didsbury|M20 2|UK|+44 20 7428 3328|"
    u"||oliver.brown@example.com|100190056|Football||Northern Rail Services|Transport|"
    u"Engineer|92 Business Park|Manchester|Didsbury|M20 2|UK|||+44 20 8046 3272||www.n"
    u"orthern.com|o.brown@northern.com|||Met at the trade fair.",
    u"Taylor|Sophie||3 Castle Lane|Edinburgh|Old Town|EH1 2|UK|+44 20 7555 3425|||soph"
    u"ie.taylor@example.com||Hiking||Caledonian Distillers|Distillery|Marketing Manage"
    u"r|95 Market Street|Edinburgh|Old Town|EH1 2|UK|||+44 20 8555 3325||www.caledonia"
    u"n.com|s.taylor@caledonian.com|||Prefers e-mail to phone calls.",
    u"Wilson|James|Jim|88 Park Avenue|New York|Manhattan|10016|USA|+44 20 7682 3522|||"
    u"james.wilson@example.com||Jazz||Wilson Consulting LLC|Consulting|Consultant|98 B"
    u"ridge Road|New York|Manhattan|10016|USA|||+44 20 8064 3378||www.wilson.com|j.wil"
    u"son@wilson.com|||Met at the trade fair.",
    u"Davies|Charlotte|Lottie|19 Harbour View|Cardiff||CF10|UK|+44 20 7719 3619|||char"
    u"lotte.davies@example.com||Surfing||Bay Media|Media|Producer|101 Commerce Way|Car"
    u"diff||CF10|UK|||+44 20 8573 3431||www.bay.com|c.davies@bay.com|||Prefers e-mail "
    u"to phone calls.",
    u"Evans|William|Will|5 Mill Road|Cambridge||CB1 2|UK|+44 20 7846 3716|||william.ev"
    u"ans@example.com|100221732|Chess||Fen Software Ltd|Software|Developer|104 Busines"
    u"s Park|Cambridge||CB1 2|UK|||+44 20 8082 3484||www.fen.com|w.evans@fen.com|||Met"
    u" at the trade fair.",
    u"Thomas|Amelia|Amy|21 Rose Street|Bristol|Clifton|BS8 1|UK|+44 20 7973 3813|||ame"
    u"lia.thomas@example.com||Painting||Clifton Dental|Dentistry|Dentist|107 Market St"
    u"reet|Bristol|Clifton|BS8 1|UK|||+44 20 8591 3537||www.clifton.com|a.thomas@clift"
    u"on.com|||Prefers e-mail to phone calls.",
    u"Roberts|Harry||64 King Street|Leeds||LS1 2|UK|+44 20 7000 3910|||harry.roberts@e"
    u"xample.com||Rugby||Roberts Removals|Logistics|Owner|110 Bridge Road|Leeds||LS1 2"
    u"|UK|||+44 20 8000 3590||www.roberts.com|h.roberts@roberts.com|||Met at the trade"
    u" fair.",
    u"Walker|Grace|Gracie|10 Elm Grove|Dublin|Ranelagh|D06|IE|+44 20 7137 4007|||grace"
    u".walker@example.com||Baking||Liffey Foods|Food|Chef|113 Commerce Way|Dublin|Rane"
    u"lagh|D06|IE|||+44 20 8519 3643||www.liffey.com|g.walker@liffey.com|||Prefers e-m"
    u"ail to phone calls.",
    u"Wright|Thomas|Tom|250 Lake Shore Drive|Chicago||60611|USA|+44 20 7264 4104|||tho"
    u"mas.wright@example.com|100253408|Sailing||Lakeside Architects|Architecture|Archi"
    u"tect|116 Business Park|Chicago||60611|USA|||+44 20 8028 3696||www.lakeside.com|t"
    u".wright@lakeside.com|||Met at the trade fair.",
    u"Green|Isabella|Bella|14 Harbour Street|Sydney|Surry Hills|2010|AU|+44 20 7391 42"
    u"01|||isabella.green@example.com||Diving||Green Leaf Design|Design|Designer|119 M"
    u"arket Street|Sydney|Surry Hills|2010|AU|||+44 20 8537 3749||www.green.com|i.gree"
    u"n@green.com|||Prefers e-mail to phone calls.",
    u"Hall|George||9 Maple Avenue|Toronto||M4W 1|CA|+44 20 7428 4298|||george.hall@exa"
    u"mple.com||Canoeing||Hall Photography|Photography|Photographer|122 Bridge Road|To"
    u"ronto||M4W 1|CA|||+44 20 8046 3802||www.hall.com|g.hall@hall.com|||Met at the tr"
    u"ade fair.",
    u"Clarke|Chloe||31 Station Road|York||YO1 6|UK|+44 20 7555 4395|||chloe.clarke@exa"
    u"mple.com||History||Minster Tours|Tourism|Tour Guide|125 Commerce Way|York||YO1 6"
    u"|UK|||+44 20 8555 3855||www.minster.com|c.clarke@minster.com|||Prefers e-mail to"
    u" phone calls.",
};

}  // namespace

int SampleContactCount() {
    return static_cast<int>(kContacts.size());
}

void MakeSampleDatabase(const QString& path) {
    QList<QStringList> contacts;
    for (const char16_t* contact : kContacts) {
        contacts << QString::fromUtf16(contact).split(u'|');
    }
    WriteContactsDatabase(path, RunningVersionText(), contacts);
}
