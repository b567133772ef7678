# Czech texts of the imports that meet duplicates, the search for duplicates
# and the identities on the command line (format of
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
    "  --duplicates=add|skip|update  with --import-vcard: add the contacts already\n"
    "                      in DATABASE anyway (the default), skip them, or update\n"
    "                      the existing ones\n"
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
    "  --duplicates=add|skip|update  s --import-vcard: kontakty, které už v DATABÁZI\n"
    "                      jsou, přesto přidá (výchozí), přeskočí, nebo jimi\n"
    "                      doplní ty stávající\n"
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
        "%1: --duplicates takes add, skip or update.":
            "%1: --duplicates přijímá add, skip nebo update.",
        "--duplicates goes with --import-vcard.": "--duplicates patří k --import-vcard.",
    },
    "DuplicateImport": {
        "%1 of the %2 contacts are already in the database.":
            "%1 z %2 kontaktů už v databázi je.",
        "%1 of the %2 contacts repeat a contact earlier in the file.":
            "%1 z %2 kontaktů opakuje kontakt uvedený v souboru dříve.",
        "Contacts added: %1, updated: %2, skipped: %3.":
            "Přidáno kontaktů: %1, doplněno: %2, přeskočeno: %3.",
    },
    "TDuplicateFinder": {
        "%1 (%2 contacts)": "%1 (kontaktů: %2)",
    },
    "TUndoCommands": {
        "Merge of %1 Records": "Sloučení %1 záznamů",
    },
    "TdlgImportDuplicates": {
        "Contacts Already in the Database": "Kontakty, které už v databázi jsou",
        "What should the import do with them?": "Co s nimi má import udělat?",
        "&Add them anyway": "Přesto je &přidat",
        "&Skip them": "&Vynechat je",
        "&Update the existing contacts: fill their empty fields and add the other phone numbers and e-mail addresses":
            "&Doplnit stávající kontakty: vyplnit jejich prázdná pole a přidat další telefonní čísla a e-mailové adresy",
        "&Import": "&Importovat",
        "&Cancel": "&Storno",
    },
    "TfrmCommon": {
        "Find &Duplicates...": "Najít &duplicity…",
        "Find the contacts that are the same person and merge them":
            "Najít kontakty téže osoby a sloučit je",
    },
    "TfrmFindDuplicates": {
        "Find Duplicates": "Najít duplicity",
        "&Contacts of the group (select the one to keep):":
            "&Kontakty skupiny (vyberte ten, který zůstane):",
        "The contact kept after the merge:": "Kontakt, který po sloučení zůstane:",
        "Merging fills the empty fields of the contact kept from the others, adds their other phone numbers, e-mail addresses and lines to its fields, writes any other value that differs into its notes, and deletes the others. Edit > Undo takes a merge back.":
            "Sloučení vyplní prázdná pole ponechaného kontaktu z ostatních, přidá do jeho polí jejich další telefonní čísla, e-mailové adresy a řádky, každou jinou odlišnou hodnotu zapíše do jeho poznámek a ostatní kontakty smaže. Úpravy > Zpět sloučení vrátí.",
        "&Merge": "&Sloučit",
        "C&lose": "&Zavřít",
        "No likely duplicates were found: no two contacts share a name and an e-mail address or a phone number, or an e-mail address.":
            "Žádné pravděpodobné duplicity nebyly nalezeny: žádné dva kontakty nemají stejné jméno a společnou e-mailovou adresu nebo telefonní číslo, ani stejnou e-mailovou adresu.",
        "Groups of likely duplicates: %1. Contacts that share a name and an e-mail address or a phone number, or an e-mail address, are listed together.":
            "Skupin pravděpodobných duplicit: %1. Kontakty se stejným jménem a společnou e-mailovou adresou nebo telefonním číslem, nebo se stejnou e-mailovou adresou, jsou uvedeny spolu.",
    },
    "VCardCommandLine": {
        "Already in the database or repeated in the file: %1; updated: %2, skipped: %3.":
            "Už v databázi nebo v souboru opakovaně: %1; doplněno: %2, přeskočeno: %3.",
    },
}
