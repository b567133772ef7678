# Czech texts of the mapping by names, the import preview and the export's
# header choice (format of scripts/fill-translations.py).
CTX = {
    "TfrmImportFromCSV": {
        "&Map by Names": "&Mapovat podle názvů",
        "Map the fields again by the headings of the first line":
            "Znovu přiřadit pole podle záhlaví v prvním řádku",
        "Pre&view of the first records as they will be stored:":
            "&Ukázka prvních záznamů tak, jak budou uloženy:",
        "No heading of the first line matches a contact column; the mapping is left as it was.":
            "Žádné záhlaví prvního řádku neodpovídá sloupci kontaktu; přiřazení zůstává beze změny.",
        "Mapped by the headings of the first line (%1).":
            "Přiřazeno podle záhlaví v prvním řádku (%1).",
        "Not imported, no contact column fits them (%1): %2":
            "Neimportuje se, žádný sloupec kontaktu jim neodpovídá (%1): %2",
        "The preview ends before a record that cannot be read: %1":
            "Ukázka končí před záznamem, který nelze přečíst: %1",
        "No field of the file is mapped to a contact column: the records will be added empty.":
            "Žádné pole souboru není přiřazeno ke sloupci kontaktu: záznamy budou přidány prázdné.",
    },
    "TfrmExportToCSV": {
        "&Header line:": "&Záhlaví:",
        "Column names (%1)": "Názvy sloupců (%1)",
        "Column titles (%1)": "Popisky sloupců (%1)",
    },
    "CsvSourceMappings": {
        "Google Contacts": "Kontakty Google",
        "Microsoft Outlook": "Microsoft Outlook",
        "Thunderbird address book": "Adresář Thunderbirdu",
    },
}
