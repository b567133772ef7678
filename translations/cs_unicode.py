# Czech texts of Unicode databases: the question before converting a Central
# European database, the refusals that name the letter, the encoding choices
# of the CSV export and the layout converter (format of
# scripts/fill-translations.py).
USAGE_EN = (
    "Usage: %1 [OPTION]... [DATABASE]\n"
    "%2: a contacts manager. Opens DATABASE (a .tbr file), or the start-up\n"
    "database of the options when none is given.\n"
    "\n"
    "  --make-sample FILE  write a sample contacts database to FILE and exit\n"
    "  --export-vcard DATABASE FILE  write the contacts of DATABASE to the vCard\n"
    "                      file FILE (version 4.0) and exit\n"
    "  --import-vcard DATABASE FILE  add the contacts of the vCard file FILE to\n"
    "                      DATABASE and exit\n"
    "  --convert-to-unicode  with --import-vcard: convert a Central European\n"
    "                      DATABASE to Unicode when a card holds letters it\n"
    "                      cannot store (else the import is refused)\n"
    "  --sync DATABASE [--url URL] [--user NAME]  sync DATABASE with its CardDAV\n"
    "                      address book (URL and NAME are kept for the next time;\n"
    "                      the password comes from PELLUM_SYNC_PASSWORD or the\n"
    "                      secret store) and exit\n"
    "  -h, --help          show this help and exit\n"
    "  --version           show the program's version and exit\n"
)
USAGE_CS = (
    "Použití: %1 [VOLBA]… [DATABÁZE]\n"
    "%2: správce kontaktů. Otevře DATABÁZI (soubor .tbr), a není-li zadána,\n"
    "databázi otevíranou při spuštění podle možností programu.\n"
    "\n"
    "  --make-sample SOUBOR  zapíše do SOUBORU ukázkovou databázi kontaktů a skončí\n"
    "  --export-vcard DATABÁZE SOUBOR  zapíše kontakty DATABÁZE do souboru vCard\n"
    "                      SOUBOR (verze 4.0) a skončí\n"
    "  --import-vcard DATABÁZE SOUBOR  přidá kontakty ze souboru vCard SOUBOR do\n"
    "                      DATABÁZE a skončí\n"
    "  --convert-to-unicode  s --import-vcard: převede středoevropskou DATABÁZI\n"
    "                      do Unicode, obsahuje-li vizitka písmena, která nepojme\n"
    "                      (jinak se import odmítne)\n"
    "  --sync DATABÁZE [--url ADRESA] [--user JMÉNO]  synchronizuje DATABÁZI s jejím\n"
    "                      adresářem CardDAV (ADRESA a JMÉNO se uloží pro příště;\n"
    "                      heslo se vezme z PELLUM_SYNC_PASSWORD nebo z úložiště\n"
    "                      hesel) a skončí\n"
    "  -h, --help            zobrazí tuto nápovědu a skončí\n"
    "  --version             zobrazí verzi programu a skončí\n"
)

CTX = {
    "CommandLine": {
        USAGE_EN: USAGE_CS,
        "--convert-to-unicode goes with --import-vcard.":
            "--convert-to-unicode patří k --import-vcard.",
    },
    "ContactsSession": {
        "This database stores only Central European letters, so \"%1\" cannot be saved. "
        "Convert the database to Unicode? (Versions of the program before 2.8 cannot open "
        "it afterwards.)":
            "Tato databáze ukládá jen středoevropská písmena, proto „%1“ nelze uložit. "
            "Převést databázi do Unicode? (Verze programu starší než 2.8 ji potom "
            "neotevřou.)",
        "\"%1\" in the field \"%2\" cannot be saved: this database stores only Central "
        "European letters. Nothing was saved.":
            "„%1“ v poli „%2“ nelze uložit: tato databáze ukládá jen středoevropská "
            "písmena. Nic nebylo uloženo.",
    },
    "TDBConverter": {
        "Contact %1 (%2) cannot be stored in Central European letters: \"%3\" in the field "
        "\"%4\" has no Windows-1250 form. Nothing was written.":
            "Kontakt %1 (%2) nelze uložit středoevropskými písmeny: „%3“ v poli „%4“ "
            "nemá podobu ve Windows-1250. Nic nebylo zapsáno.",
    },
    "TCsvExporter": {
        "the header line": "řádku záhlaví",
        "contact %1 (%2)": "kontaktu %1 (%2)",
        "The CSV file cannot be written in Windows-1250: \"%1\" in %2, field \"%3\", has no "
        "Windows-1250 form. Choose UTF-8.":
            "Soubor CSV nelze zapsat ve Windows-1250: „%1“ v %2, pole „%3“, nemá podobu "
            "ve Windows-1250. Zvolte UTF-8.",
    },
    "TfrmDBImportExport": {
        "Stored text:": "Uložený text:",
        "Unicode (UTF-8)": "Unicode (UTF-8)",
        "Central European (Windows-1250)": "Středoevropský (Windows-1250)",
    },
    "TfrmExportToCSV": {
        "&Encoding:": "&Kódování:",
        "UTF-8": "UTF-8",
        "Windows-1250": "Windows-1250",
    },
}
