# Czech texts of the exports of the card's and the table's context menu
# (format of scripts/fill-translations.py).
CTX = {
    "TfrmCommon": {
        "Export Contact as &vCard...": "Exportovat kontakt do &vCard…",
        "Export Contact as &CSV...": "Exportovat kontakt do &CSV…",
        "Export &Shown Contacts as vCard...": "Exportovat &zobrazené kontakty do vCard…",
        "Export S&hown Contacts as CSV...": "Exportovat zobrazené kontakty do C&SV…",
        "Export the current contact to a vCard file":
            "Exportovat aktuální kontakt do souboru vCard",
        "Export the current contact to a CSV file": "Exportovat aktuální kontakt do souboru CSV",
        "Export the contacts shown to a vCard file":
            "Exportovat zobrazené kontakty do souboru vCard",
        "Export the contacts shown to a CSV file": "Exportovat zobrazené kontakty do souboru CSV",
    },
    "TExchangeCommands": {
        "Export Contact as vCard": "Exportovat kontakt do vCard",
        "Export Contact as CSV": "Exportovat kontakt do CSV",
        "Export Shown Contacts as vCard": "Exportovat zobrazené kontakty do vCard",
        "Export Shown Contacts as CSV": "Exportovat zobrazené kontakty do CSV",
        "vCard files (*.vcf)": "Soubory vCard (*.vcf)",
        "CSV files (*.csv)": "Soubory CSV (*.csv)",
        "Contacts exported: %1.": "Exportováno kontaktů: %1.",
    },
    "ContactExport": {
        "Contact": "Kontakt",
    },
}
