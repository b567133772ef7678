# Czech texts of the sync commands, settings and progress of the main window
# (format of scripts/fill-translations.py).
CTX = {
    "TSyncCommands": {
        "The password could not be kept in the secret store: %1\n\rIt will be asked for at each sync.":
            "Heslo nelze uložit do úložiště hesel: %1\n\rBude vyžádáno při každé synchronizaci.",
        "The sync was cancelled; what was done on both sides is kept.":
            "Synchronizace byla zrušena; co už bylo na obou stranách provedeno, zůstává.",
        "The database could not be synced with its address book.\n\r\n\r%1":
            "Databázi nelze synchronizovat s jejím adresářem.\n\r\n\r%1",
    },
    "TSyncProgressDialog": {
        "Sync": "Synchronizace",
        "Cancel": "Zrušit",
        "%1 (%2 of %3)": "%1 (%2 z %3)",
        "Stopping the sync; what was done is kept…":
            "Synchronizace se zastavuje; co už bylo provedeno, zůstává…",
    },
    "TSyncStatusLabel": {
        "Last sync: %1": "Poslední synchronizace: %1",
        "Not synced yet": "Dosud nesynchronizováno",
        "Syncing…": "Synchronizuje se…",
        "The last sync failed: %1": "Poslední synchronizace selhala: %1",
    },
    "TdlgSyncPassword": {
        "Sync Password": "Heslo pro synchronizaci",
        "The password of %1 at %2:": "Heslo uživatele %1 na %2:",
        "No password is kept in the secret store (%1).":
            "V úložišti hesel žádné heslo není (%1).",
    },
    "TdlgSyncSettings": {
        "Sync Settings": "Nastavení synchronizace",
        "Account": "Účet",
        "Address &book or server:": "&Adresář nebo server:",
        "The address of an address book, or of the server to find your address books on. "
        "Only https: addresses (http: only with this computer).":
            "Adresa adresáře, nebo serveru, na kterém se mají vaše adresáře vyhledat. "
            "Jen adresy https: (http: jen s tímto počítačem).",
        "&User name:": "&Uživatelské jméno:",
        "&Password:": "&Heslo:",
        "&Keep the password in the desktop's secret store":
            "&Zapamatovat heslo v úložišti hesel pracovního prostředí",
        "Otherwise it is asked for at each sync. It is never written to a file.":
            "Jinak se vyžádá při každé synchronizaci. Do souboru se nikdy nezapisuje.",
        "&Find Address Books": "&Najít adresáře",
        "Address b&ooks found:": "Nalezené adre&sáře:",
        "When to sync": "Kdy synchronizovat",
        "When the database is op&ened": "Při &otevření databáze",
        "When the database is &closed": "Při zavř&ení databáze",
        "E&very": "&Každých",
        "minutes": "minut",
        "Database: %1": "Databáze: %1",
        "Last successful sync: %1": "Poslední úspěšná synchronizace: %1",
        "Not synced yet.": "Dosud nesynchronizováno.",
        "Type the address of your server first.": "Nejprve zadejte adresu svého serveru.",
        "No address books were found: %1": "Nebyly nalezeny žádné adresáře: %1",
    },
    "TfrmCommon": {
        "S&ync Now": "&Synchronizovat nyní",
        "Sync the database with its address book on the server":
            "Synchronizovat databázi s jejím adresářem na serveru",
        "Sync Se&ttings...": "Nastavení s&ynchronizace…",
        "Choose the address book the database syncs with, and when":
            "Zvolit adresář, se kterým se databáze synchronizuje, a kdy",
    },
}
