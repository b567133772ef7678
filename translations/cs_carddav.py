# Czech texts of the CardDAV sync (format of scripts/fill-translations.py).
# The Czech of the whole usage text (--help) is kept in cs_duplicates.py.
CTX = {
    "CommandLine": {
        "%1 needs a value.": "%1 potřebuje hodnotu.",
        "--url and --user go with --sync.": "--url a --user patří k --sync.",
    },
    "DavUrl": {
        '"%1" is not a server address.': "„%1“ není adresa serveru.",
        "The address \"%1\" holds a user name or password; give them in their own fields.":
            "Adresa „%1“ obsahuje uživatelské jméno nebo heslo; zadejte je v jejich vlastních polích.",
        "The address \"%1\" is not allowed: contacts are synced only over https: (http: only with this computer, 127.0.0.1 or localhost).":
            "Adresa „%1“ není povolena: kontakty se synchronizují jen přes https: (http: jen s tímto počítačem, 127.0.0.1 nebo localhost).",
    },
    "ESyncCancelled": {"The sync was cancelled.": "Synchronizace byla zrušena."},
    "MultiStatus": {
        "The server's answer is not a valid WebDAV multistatus (line %1): %2":
            "Odpověď serveru není platný multistatus WebDAV (řádek %1): %2",
        "elements nest too deeply.": "prvky jsou vnořeny příliš hluboko.",
        "a document type declaration is not accepted.": "deklarace typu dokumentu se nepřijímá.",
        "an undeclared entity is used.": "je použita nedeklarovaná entita.",
        "the document ends too early.": "dokument končí předčasně.",
        "text stands where elements were expected.": "na místě prvků stojí text.",
        "the element <%1> stands where text was expected.": "na místě textu stojí prvek <%1>.",
        "the text is not well-formed.": "text není správně utvořen.",
        '"%1" is not an HTTP status line.': "„%1“ není stavový řádek HTTP.",
        "a property is not well-formed.": "vlastnost není správně utvořena.",
        "a propstat has no status.": "propstat nemá stav.",
        "a response has no href.": "odpověď nemá href.",
        'the response for "%1" has neither a status nor properties.':
            "odpověď pro „%1“ nemá ani stav, ani vlastnosti.",
        "the answer holds more than %1 responses.": "odpověď obsahuje víc než %1 odpovědí.",
        "the document is no DAV:multistatus.": "dokument není DAV:multistatus.",
        "content follows the document.": "za dokumentem následuje další obsah.",
    },
    "SyncCard": {
        "A card of the address book cannot be read: %1": "Kartu adresáře nelze přečíst: %1",
        "A card of the address book holds %1 vCards instead of one.":
            "Karta adresáře obsahuje %1 vizitek vCard místo jedné.",
    },
    "SyncCommandLine": {
        "There is no database of that name.": "Databáze tohoto jména neexistuje.",
        "No address book is set for this database; give it with --url.":
            "Pro tuto databázi není nastaven adresář; zadejte jej volbou --url.",
        "No password for %1: set %2 or keep it in the secret store (%3).":
            "Chybí heslo pro %1: nastavte %2 nebo je uložte do úložiště hesel (%3).",
    },
    "SyncPassword": {"The secret store does not answer.": "Úložiště hesel neodpovídá."},
    "TCardDavServer": {
        "The server refused the user name or password (%1 %2) when asked for %3.":
            "Server odmítl uživatelské jméno nebo heslo (%1 %2) při žádosti o %3.",
        "The server answered %1 %2 when asked for %3.": "Server odpověděl %1 %2 na žádost o %3.",
        "It said: %1": "Sdělil: %1",
        "the address book": "adresář",
        '"%1" is not an address book.': "„%1“ není adresář.",
        'The server did not describe the address book "%1".': "Server nepopsal adresář „%1“.",
        "the changes of the address book": "změny adresáře",
        "The server's list of changes carries no sync token.":
            "Seznam změn od serveru nenese synchronizační token.",
        "The server's list of changes does not end.": "Seznam změn od serveru nekončí.",
        "the cards of the address book": "karty adresáře",
        "cards of the address book": "karty adresáře",
        "the address books": "adresáře",
        'No address book was found at "%1".': "Na adrese „%1“ nebyl nalezen žádný adresář.",
    },
    "TCardDavSync": {
        "Looking for changes on the server...": "Hledají se změny na serveru…",
        "Downloading cards...": "Stahují se karty…",
        'The card "%1" was passed over: %2': "Karta „%1“ byla vynechána: %2",
        "Saving the contacts...": "Ukládají se kontakty…",
        "Uploading changes...": "Odesílají se změny…",
        'storing the card "%1"': "uložení karty „%1“",
        'deleting the card "%1"': "smazání karty „%1“",
        "(conflict, local copy)": "(konflikt, místní kopie)",
        "No address book is set for this database; choose one in the sync settings.":
            "Pro tuto databázi není nastaven adresář; zvolte jej v nastavení synchronizace.",
        "Downloaded %1, uploaded %2, deleted %3, conflicts %4.":
            "Staženo %1, odesláno %2, smazáno %3, konfliktů %4.",
    },
    "TDatabaseReplica": {
        'The database "%1" could not be opened.': "Databázi „%1“ nelze otevřít.",
        'The database "%1" could not be opened: %2': "Databázi „%1“ nelze otevřít: %2",
        'The database "%1" could not be saved: %2': "Databázi „%1“ nelze uložit: %2",
        'The database "%1" could not be saved.': "Databázi „%1“ nelze uložit.",
        "The database \"%1\" could not get a column for the contacts' UIDs.":
            "Do databáze „%1“ nelze přidat sloupec pro UID kontaktů.",
        "A contact could not be deleted from the database.": "Kontakt nelze z databáze smazat.",
        "A new row could not be appended to the database.": "Do databáze nelze přidat nový řádek.",
    },
    "TDavClient": {
        "The server sent the request from one address to another more than %1 times.":
            "Server přesměroval požadavek z adresy na adresu víc než %1krát.",
        "The server sent the request on to another server (%1); it is not followed.":
            "Server přesměroval požadavek na jiný server (%1); přesměrování se nesleduje.",
        "The answer of the server %1 is larger than %2 MiB.": "Odpověď serveru %1 je větší než %2 MiB.",
        "The server %1 did not answer in time.": "Server %1 neodpověděl včas.",
        "The certificate of the server %1 is not trusted: %2": "Certifikát serveru %1 není důvěryhodný: %2",
        "The server %1 cannot be reached: %2": "Server %1 není dostupný: %2",
    },
    "TSyncState": {
        'The sync state file "%1" is damaged (line %2). Delete it to sync the database anew; nothing is lost, cards that differ become conflicts.':
            "Soubor stavu synchronizace „%1“ je poškozen (řádek %2). Smažte jej a databáze se synchronizuje znovu; nic se neztratí, odlišné karty se stanou konflikty.",
        '"%1" is not a file; the sync state cannot be read.': "„%1“ není soubor; stav synchronizace nelze přečíst.",
        'The sync state file "%1" cannot be opened: %2': "Soubor stavu synchronizace „%1“ nelze otevřít: %2",
        'The sync state file "%1" cannot be read: %2': "Soubor stavu synchronizace „%1“ nelze přečíst: %2",
        'The sync state file "%1" is larger than 1 GiB.': "Soubor stavu synchronizace „%1“ je větší než 1 GiB.",
        '"%1" is not a file; the sync state cannot be written.': "„%1“ není soubor; stav synchronizace nelze zapsat.",
        'The sync state file "%1" cannot be written: %2': "Soubor stavu synchronizace „%1“ nelze zapsat: %2",
    },
}
