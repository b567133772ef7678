#include "ContactData.h"

#include <array>
#include <random>

namespace quibbench {
namespace {

const std::array<const char*, 40> kSurnames = {
    "Novák",    "Svoboda",   "Novotný",  "Dvořák",   "Černý",    "Procházka", "Kučera",
    "Veselý",   "Horák",     "Němec",    "Marek",    "Pospíšil", "Pokorný",   "Hájek",
    "Král",     "Jelínek",   "Růžička",  "Beneš",    "Fiala",    "Sedláček",  "Doležal",
    "Zeman",    "Kolář",     "Navrátil", "Čermák",   "Urban",    "Vaněk",     "Blažek",
    "Kříž",     "Kovář",     "Bartoš",   "Vlček",    "Polák",    "Musil",     "Šimek",
    "Chalupa",  "Štěpánek",  "Žák",      "Řezníček", "Ševčík"};
const std::array<const char*, 24> kNames = {
    "Jan",   "Petr",   "Jiří",  "Pavel",  "Martin", "Tomáš", "Jaroslav", "Josef",
    "Marie", "Jana",   "Eva",   "Hana",   "Anna",   "Lenka", "Kateřina", "Lucie",
    "Věra",  "Alena",  "Zdeněk", "Michal", "Ondřej", "Šárka", "Radek",    "Ivana"};
const std::array<const char*, 20> kTowns = {
    "Praha",  "Brno",     "Ostrava",  "Plzeň",  "Liberec", "Olomouc",  "Ústí nad Labem",
    "Hradec Králové", "České Budějovice", "Pardubice", "Zlín", "Havířov", "Kladno", "Most",
    "Opava",  "Frýdek-Místek", "Karviná", "Jihlava", "Teplice", "Děčín"};
const std::array<const char*, 16> kStreets = {
    "Masarykova", "Husova", "Nádražní", "Palackého", "Komenského", "Jiráskova", "Smetanova",
    "Žižkova", "Školní", "Lidická", "Havlíčkova", "Tyršova", "Polní", "Zahradní", "Krátká",
    "Dlouhá"};
const std::array<const char*, 8> kCompanies = {
    "Orvane s.r.o.", "Stavby Morava a.s.", "Pekařství U Mlýna", "Autoservis Kříž",
    "Účetnictví Plus", "Zahradnictví Růže", "", ""};
const std::array<const char*, 6> kNotes = {
    "", "", "Volat po 17. hodině.", "Narozeniny slavit v restauraci.",
    "Spolužák ze základní školy, potkali jsme se na srazu.", "Dlužím mu knihu."};

}  // namespace

std::vector<ContactRow> MakeContacts(int rows, uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](const auto& list) { return std::string(list[rng() % list.size()]); };
    auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>('0' + rng() % 10);
        }
        return s;
    };
    std::vector<ContactRow> out;
    out.reserve(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        ContactRow c(kContactColumns);
        c[0] = pick(kSurnames);
        c[1] = pick(kNames);
        c[2] = rng() % 5 == 0 ? "Ing." : "";
        c[3] = pick(kStreets) + " " + std::to_string(1 + rng() % 120);
        c[4] = pick(kTowns);
        c[5] = digits(3) + " " + digits(2);
        c[6] = "Česká republika";
        c[7] = "+420 " + digits(3) + " " + digits(3) + " " + digits(3);
        c[8] = "+420 " + digits(3) + " " + digits(3) + " " + digits(3);
        c[9] = rng() % 4 == 0 ? "+420 " + digits(9) : "";
        c[10] = "kontakt" + std::to_string(r) + "@example.cz";
        c[11] = rng() % 3 == 0 ? "https://www.example.cz/" + std::to_string(r) : "";
        c[12] = pick(kCompanies);
        c[13] = pick(kStreets) + " " + std::to_string(1 + rng() % 60);
        c[14] = pick(kTowns);
        c[15] = digits(3) + " " + digits(2);
        c[16] = "Česká republika";
        c[17] = "+420 " + digits(9);
        c[18] = rng() % 2 == 0 ? "+420 " + digits(9) : "";
        c[19] = "";
        c[20] = "prace" + std::to_string(r) + "@firma.cz";
        c[21] = "";
        c[22] = rng() % 3 == 0 ? "Obchodní oddělení" : "";
        c[23] = rng() % 3 == 0 ? "vedoucí" : "";
        c[24] = std::to_string(1 + rng() % 28) + "." + std::to_string(1 + rng() % 12) + "." +
                std::to_string(1940 + rng() % 65);
        c[25] = "";
        c[26] = rng() % 6 == 0 ? digits(9) : "";
        c[27] = "";
        c[28] = rng() % 2 == 0 ? "Rodina" : "Práce";
        c[29] = "";
        c[30] = "";
        c[31] = pick(kNotes);
        out.push_back(std::move(c));
    }
    return out;
}

void LoadContacts(quib::CQuibCtrl& q, const std::vector<ContactRow>& contacts) {
    for (int c = 0; c < kContactColumns; ++c) {
        q.NewCol(c);
    }
    for (std::size_t r = 0; r < contacts.size(); ++r) {
        const auto row = static_cast<int32_t>(r);
        q.NewRow(row);
        for (int c = 0; c < kContactColumns; ++c) {
            if (!contacts[r][static_cast<std::size_t>(c)].empty()) {
                q.SetData(row, c, contacts[r][static_cast<std::size_t>(c)]);
            }
        }
    }
}

}  // namespace quibbench
