# Czech texts of the installation branch (format of scripts/fill-translations.py).
CTX = {
    "TfrmImportFromCSV": {
        "Source CSV File": "Zdrojový soubor CSV",
    },
}
