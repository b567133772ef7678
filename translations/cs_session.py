# Czech texts of the session work: the one door to the open database, undo
# and redo, and the start without a database.
CTX = {
    "TfrmMain": {
        "No database is open. Use File | New to create one or File | Open to open one.":
            "Není otevřena žádná databáze. Novou vytvoříte příkazem Soubor | Nový, "
            "existující otevřete příkazem Soubor | Otevřít.",
        "The database could not be saved: %1\n\rDatabase File Name: %%DB_FILENAME%%"
        "\n\r\n\rYour changes are kept; the next save of a record tries again.":
            "Databázi se nepodařilo uložit: %1\n\rSoubor databáze: %%DB_FILENAME%%"
            "\n\r\n\rVaše změny zůstávají zachovány; další uložení záznamu se o zápis pokusí znovu.",
    },
    "TfrmCommon": {
        "&Redo": "Zn&ovu",
        "Redo the change last undone": "Znovu provést naposledy vrácenou změnu",
        "Ctrl+Shift+Z": "Ctrl+Shift+Z",
    },
    "TContactsSession": {
        "The database could not get a column for the contacts' identities.":
            "Do databáze se nepodařilo přidat sloupec pro identifikátory kontaktů.",
    },
    "TUndoCommands": {
        "&Undo": "&Zpět",
        "&Redo": "Zn&ovu",
        "&Undo %1": "&Zpět: %1",
        "&Redo %1": "Zn&ovu: %1",
        "Typing": "Psaní",
        "Edit of %1": "Úprava pole %1",
        "Save Record": "Uložení záznamu",
        "New Record": "Nový záznam",
        "Delete Record": "Odstranění záznamu",
        "Import of 1 Record": "Import 1 záznamu",
        "Sync": "Synchronizace",
        "Import of %1 Records": "Import %1 záznamů",
        "Sort": "Seřazení",
    },
    "VCardCommandLine": {
        "The database could not be opened.": "Databázi nelze otevřít.",
        "Exported %1 contacts from %2 to %3.": "Počet kontaktů exportovaných z %2 do %3: %1.",
        "Imported %1 contacts from %2 into %3.": "Počet kontaktů importovaných z %2 do %3: %1.",
    },
}
