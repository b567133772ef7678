# Czech texts of Unicode databases: the question before converting a Central
# European database, the refusals that name the letter, the encoding choices
# of the CSV export and the layout converter (format of
# scripts/fill-translations.py).
# The Czech of the whole usage text (--help) is kept in cs_duplicates.py.
CTX = {
    "CommandLine": {
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
