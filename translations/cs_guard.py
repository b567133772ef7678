# Czech texts of the file guard: the lock of the open database, the question
# about a database another program changed, closing after a failed save, and
# the vCard reader's messages under the context they are looked up in
# (format of scripts/fill-translations.py).
CTX = {
    "TBackgroundWriter": {
        "The database was changed by another program since it was opened.":
            "Databázi od jejího otevření změnil jiný program.",
    },
    "TContactsSession": {
        "The database is in use by another program or by another window of this program, "
        "so it was not opened.\n\rDatabase File Name: %1\n\r\n\r"
        "Close it there, then open it again.":
            "Databázi právě používá jiný program nebo jiné okno tohoto programu, proto nebyla "
            "otevřena.\n\rSoubor databáze: %1\n\r\n\rZavřete ji tam a pak ji otevřete znovu.",
        "The database is in use by another program or by another window of this program, "
        "so it was not written.\n\rDatabase File Name: %1":
            "Databázi právě používá jiný program nebo jiné okno tohoto programu, proto nebyla "
            "zapsána.\n\rSoubor databáze: %1",
    },
    "TfrmCommon": {
        "Database File Name: %1": "Soubor databáze: %1",
        "Reload it (your unsaved change is lost)": "Načíst ji znovu (neuložená změna se ztratí)",
        "Save over it": "Uložit přes ni",
        "Save As...": "Uložit jako…",
        "The last change could not be saved: %1\n\rRead the file again anyway and lose it?":
            "Poslední změnu se nepodařilo uložit: %1\n\rPřesto soubor načíst znovu a změnu ztratit?",
        "The last change could not be saved: %1\n\rOpen another database anyway and lose it?":
            "Poslední změnu se nepodařilo uložit: %1\n\rPřesto otevřít jinou databázi a změnu ztratit?",
    },
    "TfrmMain": {
        "The last change could not be saved: %1\n\rClose anyway and lose it?":
            "Poslední změnu se nepodařilo uložit: %1\n\rPřesto zavřít a změnu ztratit?",
    },
    "TVCardReader": {
        "Line %1 of the vCard file is longer than 16 MiB.":
            "Řádek %1 souboru vCard je delší než 16 MiB.",
        "The vCard file holds more than %1 cards (line %2).":
            "Soubor vCard obsahuje více než %1 vizitek (řádek %2).",
        "Line %1 of the vCard file ends a card that was not begun.":
            "Řádek %1 souboru vCard ukončuje vizitku, která nebyla zahájena.",
        "The card that begins on line %1 of the vCard file is too large.":
            "Vizitka, která začíná na řádku %1 souboru vCard, je příliš velká.",
        "Line %1 of the vCard file is not a vCard property.":
            "Řádek %1 souboru vCard není vlastností vCard.",
        "Line %1 of the vCard file lies outside a card.":
            "Řádek %1 souboru vCard leží mimo vizitku.",
        "The card that begins on line %1 of the vCard file has no end.":
            "Vizitka, která začíná na řádku %1 souboru vCard, nemá konec.",
    },
}
