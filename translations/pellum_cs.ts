<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs_CZ">
<context>
    <name>CardLinks</name>
    <message>
        <source>&quot;%1&quot; is not a web address, so it is not opened. Only addresses of web pages (http:// or https:// and a host name) are opened.</source>
        <translation>„%1“ není webová adresa, a proto se neotevře. Otevírají se jen adresy webových stránek (http:// nebo https:// a název serveru).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address, so no mail is written.</source>
        <translation>„%1“ není e-mailová adresa, a proto se zpráva nevytvoří.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>--make-sample needs the name of the file to write.</source>
        <translation>Volba --make-sample potřebuje název souboru, do kterého se má zapsat.</translation>
    </message>
    <message>
        <source>%1 needs a database and a vCard file.</source>
        <translation>%1 potřebuje databázi a soubor vCard.</translation>
    </message>
    <message>
        <source>%1 needs a value.</source>
        <translation>%1 potřebuje hodnotu.</translation>
    </message>
    <message>
        <source>--url and --user go with --sync.</source>
        <translation>--url a --user patří k --sync.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>Nečekaný argument: %1</translation>
    </message>
    <message>
        <source>Only one of --make-sample, --export-vcard, --import-vcard and --sync can be given.</source>
        <translation>Zadat lze jen jeden z příkazů --make-sample, --export-vcard, --import-vcard a --sync.</translation>
    </message>
    <message>
        <source>--convert-to-unicode goes with --import-vcard.</source>
        <translation>--convert-to-unicode patří k --import-vcard.</translation>
    </message>
    <message>
        <source>%1: --duplicates takes add, skip or update.</source>
        <translation>%1: --duplicates přijímá add, skip nebo update.</translation>
    </message>
    <message>
        <source>--duplicates goes with --import-vcard.</source>
        <translation>--duplicates patří k --import-vcard.</translation>
    </message>
    <message>
        <source>Usage: %1 [OPTION]... [DATABASE]
%2: a contacts manager. Opens DATABASE (a .tbr file), or the start-up
database of the options when none is given.

  --make-sample FILE  write a sample contacts database to FILE and exit
  --export-vcard DATABASE FILE  write the contacts of DATABASE to the vCard
                      file FILE (version 4.0) and exit
  --import-vcard DATABASE FILE  add the contacts of the vCard file FILE to
                      DATABASE and exit
  --duplicates=add|skip|update  with --import-vcard: add the contacts already
                      in DATABASE anyway (the default), skip them, or update
                      the existing ones
  --convert-to-unicode  with --import-vcard: convert a Central European
                      DATABASE to Unicode when a card holds letters it
                      cannot store (else the import is refused)
  --sync DATABASE [--url URL] [--user NAME]  sync DATABASE with its CardDAV
                      address book (URL and NAME are kept for the next time;
                      the password comes from PELLUM_SYNC_PASSWORD or the
                      secret store) and exit
  -h, --help          show this help and exit
  --version           show the program&apos;s version and exit
</source>
        <translation>Použití: %1 [VOLBA]… [DATABÁZE]
%2: správce kontaktů. Otevře DATABÁZI (soubor .tbr), a není-li zadána,
databázi otevíranou při spuštění podle možností programu.

  --make-sample SOUBOR  zapíše do SOUBORU ukázkovou databázi kontaktů a skončí
  --export-vcard DATABÁZE SOUBOR  zapíše kontakty DATABÁZE do souboru vCard
                      SOUBOR (verze 4.0) a skončí
  --import-vcard DATABÁZE SOUBOR  přidá kontakty ze souboru vCard SOUBOR do
                      DATABÁZE a skončí
  --duplicates=add|skip|update  s --import-vcard: kontakty, které už v DATABÁZI
                      jsou, přesto přidá (výchozí), přeskočí, nebo jimi
                      doplní ty stávající
  --convert-to-unicode  s --import-vcard: převede středoevropskou DATABÁZI
                      do Unicode, obsahuje-li vizitka písmena, která nepojme
                      (jinak se import odmítne)
  --sync DATABÁZE [--url ADRESA] [--user JMÉNO]  synchronizuje DATABÁZI s jejím
                      adresářem CardDAV (ADRESA a JMÉNO se uloží pro příště;
                      heslo se vezme z PELLUM_SYNC_PASSWORD nebo z úložiště
                      hesel) a skončí
  -h, --help            zobrazí tuto nápovědu a skončí
  --version             zobrazí verzi programu a skončí
</translation>
    </message>
</context>
<context>
    <name>ContactExport</name>
    <message>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
</context>
<context>
    <name>ContactSchema</name>
    <message>
        <source>Surname</source>
        <translation>Příjmení</translation>
    </message>
    <message>
        <source>Firstname</source>
        <translation>Jméno</translation>
    </message>
    <message>
        <source>Nick</source>
        <translation>Přezdívka</translation>
    </message>
    <message>
        <source>Nick (home)</source>
        <translation>Přezdívka (domácí)</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresa</translation>
    </message>
    <message>
        <source>Address (home)</source>
        <translation>Adresa (domácí)</translation>
    </message>
    <message>
        <source>Town</source>
        <translation>Město</translation>
    </message>
    <message>
        <source>Town (home)</source>
        <translation>Město (domácí)</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Městská část</translation>
    </message>
    <message>
        <source>City (home)</source>
        <translation>Městská část (domácí)</translation>
    </message>
    <message>
        <source>ZipCode</source>
        <translation>PSČ</translation>
    </message>
    <message>
        <source>ZipCode (home)</source>
        <translation>PSČ (domácí)</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Stát</translation>
    </message>
    <message>
        <source>Country (home)</source>
        <translation>Stát (domácí)</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>Phone (home)</source>
        <translation>Telefon (domácí)</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>Fax (home)</source>
        <translation>Fax (domácí)</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Internet (home)</source>
        <translation>Internet (domácí)</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>E-mail (home)</source>
        <translation>E-mail (domácí)</translation>
    </message>
    <message>
        <source>ICQ</source>
        <translation>ICQ</translation>
    </message>
    <message>
        <source>ICQ (home)</source>
        <translation>ICQ (domácí)</translation>
    </message>
    <message>
        <source>Hobby</source>
        <translation>Koníčky</translation>
    </message>
    <message>
        <source>Hobby (home)</source>
        <translation>Koníčky (domácí)</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Různé</translation>
    </message>
    <message>
        <source>Misc (home)</source>
        <translation>Různé (domácí)</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>Firma</translation>
    </message>
    <message>
        <source>Company (work)</source>
        <translation>Firma (pracovní)</translation>
    </message>
    <message>
        <source>Desc</source>
        <translation>Popis</translation>
    </message>
    <message>
        <source>Desc (work)</source>
        <translation>Popis firmy (pracovní)</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Funkce</translation>
    </message>
    <message>
        <source>Position (work)</source>
        <translation>Funkce (pracovní)</translation>
    </message>
    <message>
        <source>Address (work)</source>
        <translation>Adresa (pracovní)</translation>
    </message>
    <message>
        <source>Town (work)</source>
        <translation>Město (pracovní)</translation>
    </message>
    <message>
        <source>City (work)</source>
        <translation>Městská část (pracovní)</translation>
    </message>
    <message>
        <source>ZipCode (work)</source>
        <translation>PSČ (pracovní)</translation>
    </message>
    <message>
        <source>Country (work)</source>
        <translation>Stát (pracovní)</translation>
    </message>
    <message>
        <source>ICO</source>
        <translation>IČO</translation>
    </message>
    <message>
        <source>ICO (work)</source>
        <translation>IČO (pracovní)</translation>
    </message>
    <message>
        <source>DIC</source>
        <translation>DIČ</translation>
    </message>
    <message>
        <source>DIC (work)</source>
        <translation>DIČ (pracovní)</translation>
    </message>
    <message>
        <source>Phone (work)</source>
        <translation>Telefon (pracovní)</translation>
    </message>
    <message>
        <source>Fax (work)</source>
        <translation>Fax (pracovní)</translation>
    </message>
    <message>
        <source>Internet (work)</source>
        <translation>Internet (pracovní)</translation>
    </message>
    <message>
        <source>E-mail (work)</source>
        <translation>E-mail (pracovní)</translation>
    </message>
    <message>
        <source>ICQ (work)</source>
        <translation>ICQ (pracovní)</translation>
    </message>
    <message>
        <source>Misc (work)</source>
        <translation>Různé (pracovní)</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Poznámky</translation>
    </message>
</context>
<context>
    <name>ContactsSession</name>
    <message>
        <source>This database stores only Central European letters, so &quot;%1&quot; cannot be saved. Convert the database to Unicode? (Versions of the program before 2.8 cannot open it afterwards.)</source>
        <translation>Tato databáze ukládá jen středoevropská písmena, proto „%1“ nelze uložit. Převést databázi do Unicode? (Verze programu starší než 2.8 ji potom neotevřou.)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in the field &quot;%2&quot; cannot be saved: this database stores only Central European letters. Nothing was saved.</source>
        <translation>„%1“ v poli „%2“ nelze uložit: tato databáze ukládá jen středoevropská písmena. Nic nebylo uloženo.</translation>
    </message>
</context>
<context>
    <name>Csv</name>
    <message>
        <source>Source CSV file is not wellformed (position %1). Excepting &quot;,&quot; (comma), but &quot;%2&quot; found.</source>
        <translation>Zdrojový soubor CSV nemá správný formát (pozice %1). Očekávána „,“ (čárka), ale nalezeno „%2“.</translation>
    </message>
    <message>
        <source> (line %1)</source>
        <translation> (řádek %1)</translation>
    </message>
    <message>
        <source>Source CSV file is not wellformed: the quoted value that begins on line %1 has no closing quote.</source>
        <translation>Zdrojový soubor CSV nemá správný formát: hodnota v uvozovkách, která začíná na řádku %1, nemá uzavírací uvozovky.</translation>
    </message>
</context>
<context>
    <name>CsvSourceMappings</name>
    <message>
        <source>Google Contacts</source>
        <translation>Kontakty Google</translation>
    </message>
    <message>
        <source>Microsoft Outlook</source>
        <translation>Microsoft Outlook</translation>
    </message>
    <message>
        <source>Thunderbird address book</source>
        <translation>Adresář Thunderbirdu</translation>
    </message>
</context>
<context>
    <name>DavUrl</name>
    <message>
        <source>&quot;%1&quot; is not a server address.</source>
        <translation>„%1“ není adresa serveru.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; holds a user name or password; give them in their own fields.</source>
        <translation>Adresa „%1“ obsahuje uživatelské jméno nebo heslo; zadejte je v jejich vlastních polích.</translation>
    </message>
    <message>
        <source>The address &quot;%1&quot; is not allowed: contacts are synced only over https: (http: only with this computer, 127.0.0.1 or localhost).</source>
        <translation>Adresa „%1“ není povolena: kontakty se synchronizují jen přes https: (http: jen s tímto počítačem, 127.0.0.1 nebo localhost).</translation>
    </message>
</context>
<context>
    <name>DuplicateImport</name>
    <message>
        <source>%1 of the %2 contacts are already in the database.</source>
        <translation>%1 z %2 kontaktů už v databázi je.</translation>
    </message>
    <message>
        <source>%1 of the %2 contacts repeat a contact earlier in the file.</source>
        <translation>%1 z %2 kontaktů opakuje kontakt uvedený v souboru dříve.</translation>
    </message>
    <message>
        <source>Contacts added: %1, updated: %2, skipped: %3.</source>
        <translation>Přidáno kontaktů: %1, doplněno: %2, přeskočeno: %3.</translation>
    </message>
</context>
<context>
    <name>ESyncCancelled</name>
    <message>
        <source>The sync was cancelled.</source>
        <translation>Synchronizace byla zrušena.</translation>
    </message>
</context>
<context>
    <name>ExceptionDialog</name>
    <message>
        <source>The full error report has been copied to the clipboard. Please paste it here (Ctrl+V) in place of the shortened report below.</source>
        <translation>Úplné hlášení o chybě bylo zkopírováno do schránky. Vložte je sem (Ctrl+V) místo zkráceného hlášení níže.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Neznámá chyba</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Error</source>
        <translation>Chyba</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Upozornění</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informace</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Potvrzení</translation>
    </message>
</context>
<context>
    <name>MultiStatus</name>
    <message>
        <source>The server&apos;s answer is not a valid WebDAV multistatus (line %1): %2</source>
        <translation>Odpověď serveru není platný multistatus WebDAV (řádek %1): %2</translation>
    </message>
    <message>
        <source>elements nest too deeply.</source>
        <translation>prvky jsou vnořeny příliš hluboko.</translation>
    </message>
    <message>
        <source>a document type declaration is not accepted.</source>
        <translation>deklarace typu dokumentu se nepřijímá.</translation>
    </message>
    <message>
        <source>an undeclared entity is used.</source>
        <translation>je použita nedeklarovaná entita.</translation>
    </message>
    <message>
        <source>the document ends too early.</source>
        <translation>dokument končí předčasně.</translation>
    </message>
    <message>
        <source>text stands where elements were expected.</source>
        <translation>na místě prvků stojí text.</translation>
    </message>
    <message>
        <source>the element &lt;%1&gt; stands where text was expected.</source>
        <translation>na místě textu stojí prvek &lt;%1&gt;.</translation>
    </message>
    <message>
        <source>the text is not well-formed.</source>
        <translation>text není správně utvořen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an HTTP status line.</source>
        <translation>„%1“ není stavový řádek HTTP.</translation>
    </message>
    <message>
        <source>a property is not well-formed.</source>
        <translation>vlastnost není správně utvořena.</translation>
    </message>
    <message>
        <source>a propstat has no status.</source>
        <translation>propstat nemá stav.</translation>
    </message>
    <message>
        <source>a response has no href.</source>
        <translation>odpověď nemá href.</translation>
    </message>
    <message>
        <source>the response for &quot;%1&quot; has neither a status nor properties.</source>
        <translation>odpověď pro „%1“ nemá ani stav, ani vlastnosti.</translation>
    </message>
    <message>
        <source>the answer holds more than %1 responses.</source>
        <translation>odpověď obsahuje víc než %1 odpovědí.</translation>
    </message>
    <message>
        <source>the document is no DAV:multistatus.</source>
        <translation>dokument není DAV:multistatus.</translation>
    </message>
    <message>
        <source>content follows the document.</source>
        <translation>za dokumentem následuje další obsah.</translation>
    </message>
</context>
<context>
    <name>QueryFile</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ není platné celé číslo</translation>
    </message>
</context>
<context>
    <name>QuibError</name>
    <message>
        <source>Error when opening database file to write.</source>
        <translation>Chyba při otevírání databázového souboru pro zápis.</translation>
    </message>
    <message>
        <source>Error when opening database file to read.</source>
        <translation>Chyba při otevírání databázového souboru pro čtení.</translation>
    </message>
    <message>
        <source>Unexpected end of file. The database file is corrupted.</source>
        <translation>Neočekávaný konec souboru. Databázový soubor je poškozen.</translation>
    </message>
    <message>
        <source>Error when writing database file. The database file was not changed.</source>
        <translation>Chyba při zápisu databázového souboru. Databázový soubor nebyl změněn.</translation>
    </message>
    <message>
        <source>File has bad format. File hasn&apos;t Orvane Datababase file format.</source>
        <translation>Soubor má chybný formát. Nejde o databázový soubor Orvane.</translation>
    </message>
    <message>
        <source>File is newer than this program supports. File require newer database system.</source>
        <translation>Soubor je novější, než tento program podporuje. Soubor vyžaduje novější databázový systém.</translation>
    </message>
    <message>
        <source>Out of memory.

Note: This error may occurr if the database file is corrupted as well.</source>
        <translation>Nedostatek paměti.

Poznámka: Tato chyba může nastat i tehdy, je-li databázový soubor poškozen.</translation>
    </message>
</context>
<context>
    <name>ResourceStrings</name>
    <message>
        <source>No database</source>
        <translation>Žádná databáze</translation>
    </message>
    <message>
        <source>Could not write data to the Windows Registry.</source>
        <translation>Data se nepodařilo zapsat do registru (nastavení programu).</translation>
    </message>
    <message>
        <source>Pellum.tbr</source>
        <translation>Pellum.tbr</translation>
    </message>
    <message>
        <source>Pellum_DefaultTemplate.txt</source>
        <translation>Pellum_DefaultTemplate.txt</translation>
    </message>
    <message>
        <source>Open Database</source>
        <translation>Otevřít databázi</translation>
    </message>
    <message>
        <source>Create Database</source>
        <translation>Vytvořit databázi</translation>
    </message>
    <message>
        <source>Save Database As</source>
        <translation>Uložit databázi jako</translation>
    </message>
    <message>
        <source>Current record was changed. Save it before continue?</source>
        <translation>Aktuální záznam byl změněn. Chcete jej před pokračováním uložit?</translation>
    </message>
    <message>
        <source>Could not search. No possible frame visibled.</source>
        <translation>Nelze hledat. Není zobrazen žádný pohled, ve kterém by se dalo hledat.</translation>
    </message>
    <message>
        <source>Cannot show search result. No possible frame visibled.</source>
        <translation>Výsledek hledání nelze zobrazit. Není zobrazen žádný pohled, který by jej mohl ukázat.</translation>
    </message>
    <message>
        <source>String not found.</source>
        <translation>Text nebyl nalezen.</translation>
    </message>
    <message>
        <source>Select StartUp Database</source>
        <translation>Vyberte databázi otevíranou při spuštění</translation>
    </message>
    <message>
        <source>Select Default User Template</source>
        <translation>Vyberte výchozí uživatelskou šablonu</translation>
    </message>
    <message>
        <source>The file isn&apos;t database for this program.</source>
        <translation>Soubor není databází tohoto programu.</translation>
    </message>
    <message>
        <source>The database require newer version of this program (%%REQUIRED_VERSION%%).</source>
        <translation>Databáze vyžaduje novější verzi tohoto programu (%%REQUIRED_VERSION%%).</translation>
    </message>
    <message>
        <source>Are you sure to switch the language?</source>
        <translation>Opravdu chcete přepnout jazyk?</translation>
    </message>
    <message>
        <source>Language was succesfully changed. The program is about to restart to apply the changes. Restart now?</source>
        <translation>Jazyk byl úspěšně změněn. Změna se projeví po restartu programu. Restartovat nyní?</translation>
    </message>
    <message>
        <source>Database contains followed fields (cols) which is unsupported in this version of this program. This fields will not be displayed and you will not be able to change them:</source>
        <translation>Databáze obsahuje následující pole (sloupce), která tato verze programu nepodporuje. Tato pole nebudou zobrazena a nebudete je moci měnit:</translation>
    </message>
    <message>
        <source>Database doesn&apos;t contain followed fields (cols) which this program supports. Changes in this fields will not be saved:</source>
        <translation>Databáze neobsahuje následující pole (sloupce), která tento program podporuje. Změny v těchto polích nebudou uloženy:</translation>
    </message>
    <message>
        <source>Warning: Problems with synchronizating fields (cols) in this database file with fields (cols) supported by this program. Use File | Import / Export command in main program window to convert it to current version.
<byte value="xd"/>
<byte value="xd"/></source>
        <translation>Upozornění: Pole (sloupce) tohoto databázového souboru neodpovídají polím (sloupcům), která podporuje tento program. Převeďte soubor na aktuální verzi příkazem Soubor | Import / export v hlavním okně programu.
<byte value="xd"/>
<byte value="xd"/></translation>
    </message>
    <message>
        <source>Database File Name: %%DB_FILENAME%%
<byte value="xd"/>Database Version: %%DB_PROGRAMAKTVERSION%%
<byte value="xd"/>Program Version: %%PROGRAM_PROGRAMAKTVERSION%%
<byte value="xd"/>
<byte value="xd"/></source>
        <translation>Soubor databáze: %%DB_FILENAME%%
<byte value="xd"/>Verze databáze: %%DB_PROGRAMAKTVERSION%%
<byte value="xd"/>Verze programu: %%PROGRAM_PROGRAMAKTVERSION%%
<byte value="xd"/>
<byte value="xd"/></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ není platné celé číslo</translation>
    </message>
</context>
<context>
    <name>SyncCard</name>
    <message>
        <source>A card of the address book cannot be read: %1</source>
        <translation>Kartu adresáře nelze přečíst: %1</translation>
    </message>
    <message>
        <source>A card of the address book holds %1 vCards instead of one.</source>
        <translation>Karta adresáře obsahuje %1 vizitek vCard místo jedné.</translation>
    </message>
</context>
<context>
    <name>SyncCommandLine</name>
    <message>
        <source>There is no database of that name.</source>
        <translation>Databáze tohoto jména neexistuje.</translation>
    </message>
    <message>
        <source>No address book is set for this database; give it with --url.</source>
        <translation>Pro tuto databázi není nastaven adresář; zadejte jej volbou --url.</translation>
    </message>
    <message>
        <source>No password for %1: set %2 or keep it in the secret store (%3).</source>
        <translation>Chybí heslo pro %1: nastavte %2 nebo je uložte do úložiště hesel (%3).</translation>
    </message>
</context>
<context>
    <name>SyncPassword</name>
    <message>
        <source>The secret store does not answer.</source>
        <translation>Úložiště hesel neodpovídá.</translation>
    </message>
</context>
<context>
    <name>TAtomicFileWriter</name>
    <message>
        <source>Is a directory</source>
        <translation>Jde o složku</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Nejde o běžný soubor</translation>
    </message>
</context>
<context>
    <name>TBackgroundWriter</name>
    <message>
        <source>The database was changed by another program since it was opened.</source>
        <translation>Databázi od jejího otevření změnil jiný program.</translation>
    </message>
</context>
<context>
    <name>TCardDavServer</name>
    <message>
        <source>The server refused the user name or password (%1 %2) when asked for %3.</source>
        <translation>Server odmítl uživatelské jméno nebo heslo (%1 %2) při žádosti o %3.</translation>
    </message>
    <message>
        <source>The server answered %1 %2 when asked for %3.</source>
        <translation>Server odpověděl %1 %2 na žádost o %3.</translation>
    </message>
    <message>
        <source>It said: %1</source>
        <translation>Sdělil: %1</translation>
    </message>
    <message>
        <source>the address book</source>
        <translation>adresář</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address book.</source>
        <translation>„%1“ není adresář.</translation>
    </message>
    <message>
        <source>The server did not describe the address book &quot;%1&quot;.</source>
        <translation>Server nepopsal adresář „%1“.</translation>
    </message>
    <message>
        <source>the changes of the address book</source>
        <translation>změny adresáře</translation>
    </message>
    <message>
        <source>The server&apos;s list of changes carries no sync token.</source>
        <translation>Seznam změn od serveru nenese synchronizační token.</translation>
    </message>
    <message>
        <source>The server&apos;s list of changes does not end.</source>
        <translation>Seznam změn od serveru nekončí.</translation>
    </message>
    <message>
        <source>the cards of the address book</source>
        <translation>karty adresáře</translation>
    </message>
    <message>
        <source>cards of the address book</source>
        <translation>karty adresáře</translation>
    </message>
    <message>
        <source>the address books</source>
        <translation>adresáře</translation>
    </message>
    <message>
        <source>No address book was found at &quot;%1&quot;.</source>
        <translation>Na adrese „%1“ nebyl nalezen žádný adresář.</translation>
    </message>
</context>
<context>
    <name>TCardDavSync</name>
    <message>
        <source>Looking for changes on the server...</source>
        <translation>Hledají se změny na serveru…</translation>
    </message>
    <message>
        <source>Downloading cards...</source>
        <translation>Stahují se karty…</translation>
    </message>
    <message>
        <source>The card &quot;%1&quot; was passed over: %2</source>
        <translation>Karta „%1“ byla vynechána: %2</translation>
    </message>
    <message>
        <source>Saving the contacts...</source>
        <translation>Ukládají se kontakty…</translation>
    </message>
    <message>
        <source>Uploading changes...</source>
        <translation>Odesílají se změny…</translation>
    </message>
    <message>
        <source>storing the card &quot;%1&quot;</source>
        <translation>uložení karty „%1“</translation>
    </message>
    <message>
        <source>deleting the card &quot;%1&quot;</source>
        <translation>smazání karty „%1“</translation>
    </message>
    <message>
        <source>(conflict, local copy)</source>
        <translation>(konflikt, místní kopie)</translation>
    </message>
    <message>
        <source>No address book is set for this database; choose one in the sync settings.</source>
        <translation>Pro tuto databázi není nastaven adresář; zvolte jej v nastavení synchronizace.</translation>
    </message>
    <message>
        <source>Downloaded %1, uploaded %2, deleted %3, conflicts %4.</source>
        <translation>Staženo %1, odesláno %2, smazáno %3, konfliktů %4.</translation>
    </message>
</context>
<context>
    <name>TContactsSession</name>
    <message>
        <source>The database could not get a column for the contacts&apos; identities.</source>
        <translation>Do databáze se nepodařilo přidat sloupec pro identifikátory kontaktů.</translation>
    </message>
    <message>
        <source>The database is in use by another program or by another window of this program, so it was not opened.
<byte value="xd"/>Database File Name: %1
<byte value="xd"/>
<byte value="xd"/>Close it there, then open it again.</source>
        <translation>Databázi právě používá jiný program nebo jiné okno tohoto programu, proto nebyla otevřena.
<byte value="xd"/>Soubor databáze: %1
<byte value="xd"/>
<byte value="xd"/>Zavřete ji tam a pak ji otevřete znovu.</translation>
    </message>
    <message>
        <source>The database is in use by another program or by another window of this program, so it was not written.
<byte value="xd"/>Database File Name: %1</source>
        <translation>Databázi právě používá jiný program nebo jiné okno tohoto programu, proto nebyla zapsána.
<byte value="xd"/>Soubor databáze: %1</translation>
    </message>
</context>
<context>
    <name>TCsvExporter</name>
    <message>
        <source>the header line</source>
        <translation>řádku záhlaví</translation>
    </message>
    <message>
        <source>contact %1 (%2)</source>
        <translation>kontaktu %1 (%2)</translation>
    </message>
    <message>
        <source>The CSV file cannot be written in Windows-1250: &quot;%1&quot; in %2, field &quot;%3&quot;, has no Windows-1250 form. Choose UTF-8.</source>
        <translation>Soubor CSV nelze zapsat ve Windows-1250: „%1“ v %2, pole „%3“, nemá podobu ve Windows-1250. Zvolte UTF-8.</translation>
    </message>
</context>
<context>
    <name>TCsvTextSource</name>
    <message>
        <source>No source CSV file has been chosen.</source>
        <translation>Nebyl vybrán zdrojový soubor CSV.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be imported.</source>
        <translation>„%1“ není soubor, který lze importovat.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be opened: %2</source>
        <translation>Soubor „%1“ nelze otevřít: %2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2</source>
        <translation>Soubor „%1“ nelze přečíst: %2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; starts with a UTF-16 byte-order mark but is not valid UTF-16 text.</source>
        <translation>Soubor „%1“ začíná značkou pořadí bajtů UTF-16, ale není platným textem UTF-16.</translation>
    </message>
</context>
<context>
    <name>TDBConverter</name>
    <message>
        <source>The database step &quot;%1&quot; failed.</source>
        <translation>Databázový krok „%1“ selhal.</translation>
    </message>
    <message>
        <source>The backup copy &quot;%1&quot; could not be made: %2</source>
        <translation>Záložní kopii „%1“ se nepodařilo vytvořit: %2</translation>
    </message>
    <message>
        <source>No source database has been chosen.</source>
        <translation>Nebyla vybrána zdrojová databáze.</translation>
    </message>
    <message>
        <source>The source database &quot;%1&quot; could not be opened: %2</source>
        <translation>Zdrojovou databázi „%1“ se nepodařilo otevřít: %2</translation>
    </message>
    <message>
        <source>The source database &quot;%1&quot; could not be opened.</source>
        <translation>Zdrojovou databázi „%1“ se nepodařilo otevřít.</translation>
    </message>
    <message>
        <source>The destination database &quot;%1&quot; could not be written: %2</source>
        <translation>Cílovou databázi „%1“ se nepodařilo zapsat: %2</translation>
    </message>
    <message>
        <source>The destination database &quot;%1&quot; could not be replaced.</source>
        <translation>Cílovou databázi „%1“ se nepodařilo nahradit.</translation>
    </message>
    <message>
        <source>No destination database has been chosen.</source>
        <translation>Nebyla vybrána cílová databáze.</translation>
    </message>
    <message>
        <source>Contact %1 (%2) cannot be stored in Central European letters: &quot;%3&quot; in the field &quot;%4&quot; has no Windows-1250 form. Nothing was written.</source>
        <translation>Kontakt %1 (%2) nelze uložit středoevropskými písmeny: „%3“ v poli „%4“ nemá podobu ve Windows-1250. Nic nebylo zapsáno.</translation>
    </message>
</context>
<context>
    <name>TDBLayouts</name>
    <message>
        <source>Orvane Contacts 2.5.0 [2.5 (10.08.2001) BETA - 2.5 (07.10.2001) RC 1]</source>
        <translation>Orvane Contacts 2.5.0 [2.5 (10.08.2001) BETA – 2.5 (07.10.2001) RC 1]</translation>
    </message>
    <message>
        <source>Orvane Contacts 2.5.1 [2.5 (31.10.2001) RC 3 - 2.6.0.26 (09.03.2003)]</source>
        <translation>Orvane Contacts 2.5.1 [2.5 (31.10.2001) RC 3 – 2.6.0.26 (09.03.2003)]</translation>
    </message>
    <message>
        <source>Orvane Contacts 2.7.0 [2.7.0.27 (07.04.2004) - current version]</source>
        <translation>Orvane Contacts 2.7.0 [2.7.0.27 (07.04.2004) – aktuální verze]</translation>
    </message>
</context>
<context>
    <name>TDatabaseReplica</name>
    <message>
        <source>The database &quot;%1&quot; could not be opened.</source>
        <translation>Databázi „%1“ nelze otevřít.</translation>
    </message>
    <message>
        <source>The database &quot;%1&quot; could not be opened: %2</source>
        <translation>Databázi „%1“ nelze otevřít: %2</translation>
    </message>
    <message>
        <source>The database &quot;%1&quot; could not be saved: %2</source>
        <translation>Databázi „%1“ nelze uložit: %2</translation>
    </message>
</context>
<context>
    <name>TDavClient</name>
    <message>
        <source>The server sent the request from one address to another more than %1 times.</source>
        <translation>Server přesměroval požadavek z adresy na adresu víc než %1krát.</translation>
    </message>
    <message>
        <source>The server sent the request on to another server (%1); it is not followed.</source>
        <translation>Server přesměroval požadavek na jiný server (%1); přesměrování se nesleduje.</translation>
    </message>
    <message>
        <source>The answer of the server %1 is larger than %2 MiB.</source>
        <translation>Odpověď serveru %1 je větší než %2 MiB.</translation>
    </message>
    <message>
        <source>The server %1 did not answer in time.</source>
        <translation>Server %1 neodpověděl včas.</translation>
    </message>
    <message>
        <source>The certificate of the server %1 is not trusted: %2</source>
        <translation>Certifikát serveru %1 není důvěryhodný: %2</translation>
    </message>
    <message>
        <source>The server %1 cannot be reached: %2</source>
        <translation>Server %1 není dostupný: %2</translation>
    </message>
</context>
<context>
    <name>TDuplicateFinder</name>
    <message>
        <source>%1 (%2 contacts)</source>
        <translation>%1 (kontaktů: %2)</translation>
    </message>
</context>
<context>
    <name>TExceptionDialog</name>
    <message>
        <source>Use Ctrl+C to copy the report to the clipboard</source>
        <translation>Klávesami Ctrl+C zkopírujete hlášení do schránky</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Close this report window and continue in program executing</source>
        <translation>Zavře okno s hlášením a pokračuje v běhu programu</translation>
    </message>
    <message>
        <source>&amp;Terminate</source>
        <translation>&amp;Ukončit program</translation>
    </message>
    <message>
        <source>Terminates the program. All data you haven&apos;t saved will be lost</source>
        <translation>Ukončí program. Všechna neuložená data budou ztracena</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>Po&amp;drobnosti</translation>
    </message>
    <message>
        <source>Show or hide additional information</source>
        <translation>Zobrazí nebo skryje podrobnosti</translation>
    </message>
    <message>
        <source>&amp;Copy to Clipboard</source>
        <translation>&amp;Kopírovat do schránky</translation>
    </message>
    <message>
        <source>Copy error details to the clipboard</source>
        <translation>Zkopíruje podrobnosti o chybě do schránky</translation>
    </message>
    <message>
        <source>Send via &amp;E-mail</source>
        <translation>Odeslat &amp;e-mailem</translation>
    </message>
    <message>
        <source>Open your default e-mail client and fill it with the report</source>
        <translation>Otevře výchozí poštovní program a vloží do něj hlášení</translation>
    </message>
    <message>
        <source>&lt;b&gt;Please send the report about the error - including your description what caused it - to the author.&lt;/b&gt;<byte value="xd"/>
&lt;p&gt;<byte value="xd"/>
Please send the report in &lt;link=Details&gt;Details&lt;/link&gt; - with description of steps you made that have caused the error, in what particular situation (conditions) the described error occured and so on - to the author (&lt;link=SendEmail&gt;{EMAIL}&lt;/link&gt;). Thank you for your helpfulness.<byte value="xd"/>
&lt;br&gt;<byte value="xd"/>
Note: If you send your datas or data files, they will be used for testing and debugging purpose only. They will NOT be provided to any third party or abused any how,&lt;br&gt;<byte value="xd"/>
&lt;br&gt;<byte value="xd"/>
&lt;b&gt;Issues, which are not known to the author, cannot be solved.&lt;/b&gt;</source>
        <translation>&lt;b&gt;Pošlete prosím autorovi hlášení o chybě – včetně popisu, co ji způsobilo.&lt;/b&gt;<byte value="xd"/>
&lt;p&gt;<byte value="xd"/>
Pošlete prosím autorovi (&lt;link=SendEmail&gt;{EMAIL}&lt;/link&gt;) hlášení z &lt;link=Details&gt;Podrobností&lt;/link&gt; spolu s popisem kroků, které k chybě vedly, a situace (podmínek), v níž nastala. Děkujeme za vaši ochotu.<byte value="xd"/>
&lt;br&gt;<byte value="xd"/>
Poznámka: Pošlete-li svá data nebo datové soubory, budou použita pouze k testování a ladění. Nebudou poskytnuta žádné třetí straně ani jakkoli zneužita.&lt;br&gt;<byte value="xd"/>
&lt;br&gt;<byte value="xd"/>
&lt;b&gt;Chyby, o kterých autor neví, nemohou být opraveny.&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Error details (click into the box and use CTRL+C to &lt;link=CopyToClipboard&gt;copy the text to the clipboard&lt;/link&gt;):</source>
        <translation>Podrobnosti o chybě (klepněte do pole a klávesami CTRL+C &lt;link=CopyToClipboard&gt;zkopírujte text do schránky&lt;/link&gt;):</translation>
    </message>
    <message>
        <source>%1 - Application Error</source>
        <translation>%1 – chyba aplikace</translation>
    </message>
    <message>
        <source>The report was not written to an error log.</source>
        <translation>Hlášení nebylo zapsáno do protokolu chyb.</translation>
    </message>
    <message>
        <source>The report was added to the error log %1</source>
        <translation>Hlášení bylo přidáno do protokolu chyb %1</translation>
    </message>
    <message>
        <source>The error log %1 could not be written.</source>
        <translation>Do protokolu chyb %1 se nepodařilo zapsat.</translation>
    </message>
</context>
<context>
    <name>TExchangeCommands</name>
    <message>
        <source>Import from vCard</source>
        <translation>Import z vCard</translation>
    </message>
    <message>
        <source>vCard files (*.vcf *.vcard)</source>
        <translation>Soubory vCard (*.vcf *.vcard)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message>
        <source>Contacts imported: %1.</source>
        <translation>Importováno kontaktů: %1.</translation>
    </message>
    <message>
        <source>Export Contact as vCard</source>
        <translation>Exportovat kontakt do vCard</translation>
    </message>
    <message>
        <source>Export Contact as CSV</source>
        <translation>Exportovat kontakt do CSV</translation>
    </message>
    <message>
        <source>Export Shown Contacts as vCard</source>
        <translation>Exportovat zobrazené kontakty do vCard</translation>
    </message>
    <message>
        <source>Export Shown Contacts as CSV</source>
        <translation>Exportovat zobrazené kontakty do CSV</translation>
    </message>
    <message>
        <source>vCard files (*.vcf)</source>
        <translation>Soubory vCard (*.vcf)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Soubory CSV (*.csv)</translation>
    </message>
    <message>
        <source>Contacts exported: %1.</source>
        <translation>Exportováno kontaktů: %1.</translation>
    </message>
</context>
<context>
    <name>TExchangeProgressDialog</name>
    <message>
        <source>Importing contacts…</source>
        <translation>Probíhá import kontaktů…</translation>
    </message>
    <message>
        <source>Exporting contacts…</source>
        <translation>Probíhá export kontaktů…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Storno</translation>
    </message>
</context>
<context>
    <name>TFilterBar</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 z %2</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtr</translation>
    </message>
    <message>
        <source>Show only the contacts that contain the text (Ctrl+K; Esc shows all)</source>
        <translation>Zobrazí jen kontakty, které obsahují text (Ctrl+K; Esc zobrazí všechny)</translation>
    </message>
</context>
<context>
    <name>THelpCommands</name>
    <message>
        <source>Test error raised on purpose (Ctrl+Alt+Shift+F12)</source>
        <translation>Zkušební chyba vyvolaná úmyslně (Ctrl+Alt+Shift+F12)</translation>
    </message>
</context>
<context>
    <name>TIniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Do souboru %1 nelze zapisovat</translation>
    </message>
    <message>
        <source>Unable to read %1</source>
        <translation>Soubor %1 nelze přečíst</translation>
    </message>
    <message>
        <source>The file %1 is too large.</source>
        <translation>Soubor %1 je příliš velký.</translation>
    </message>
</context>
<context>
    <name>TLanguageSwitch</name>
    <message>
        <source>The program could not be started again. It keeps running in the new language; start it again yourself to see every window in it.</source>
        <translation>Program se nepodařilo znovu spustit. Běží dál v novém jazyce; aby se v něm zobrazila všechna okna, spusťte jej znovu sami.</translation>
    </message>
</context>
<context>
    <name>TPellumApplication</name>
    <message>
        <source>Unknown error.</source>
        <translation>Neznámá chyba.</translation>
    </message>
</context>
<context>
    <name>TQueryCommands</name>
    <message>
        <source>No records found.</source>
        <translation>Nebyly nalezeny žádné záznamy.</translation>
    </message>
</context>
<context>
    <name>TReportPrintJob</name>
    <message>
        <source>The report was not printed: the printer reported an error.</source>
        <translation>Sestava nebyla vytištěna: tiskárna ohlásila chybu.</translation>
    </message>
</context>
<context>
    <name>TSafeFileWriter</name>
    <message>
        <source>No destination file has been given.</source>
        <translation>Nebyl zadán cílový soubor.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be created: %2</source>
        <translation>Soubor „%1“ nelze vytvořit: %2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be written: %2</source>
        <translation>Do souboru „%1“ nelze zapisovat: %2</translation>
    </message>
</context>
<context>
    <name>TSaveStatus</name>
    <message>
        <source>Saving...</source>
        <translation>Ukládání…</translation>
    </message>
    <message>
        <source>Saved at %1</source>
        <translation>Uloženo v %1</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>Neuloženo</translation>
    </message>
</context>
<context>
    <name>TSyncCommands</name>
    <message>
        <source>The password could not be kept in the secret store: %1
<byte value="xd"/>It will be asked for at each sync.</source>
        <translation>Heslo nelze uložit do úložiště hesel: %1
<byte value="xd"/>Bude vyžádáno při každé synchronizaci.</translation>
    </message>
    <message>
        <source>The sync was cancelled; what was done on both sides is kept.</source>
        <translation>Synchronizace byla zrušena; co už bylo na obou stranách provedeno, zůstává.</translation>
    </message>
    <message>
        <source>The database could not be synced with its address book.
<byte value="xd"/>
<byte value="xd"/>%1</source>
        <translation>Databázi nelze synchronizovat s jejím adresářem.
<byte value="xd"/>
<byte value="xd"/>%1</translation>
    </message>
</context>
<context>
    <name>TSyncProgressDialog</name>
    <message>
        <source>Sync</source>
        <translation>Synchronizace</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>%1 (%2 of %3)</source>
        <translation>%1 (%2 z %3)</translation>
    </message>
    <message>
        <source>Stopping the sync; what was done is kept…</source>
        <translation>Synchronizace se zastavuje; co už bylo provedeno, zůstává…</translation>
    </message>
</context>
<context>
    <name>TSyncState</name>
    <message>
        <source>The sync state file &quot;%1&quot; is damaged (line %2). Delete it to sync the database anew; nothing is lost, cards that differ become conflicts.</source>
        <translation>Soubor stavu synchronizace „%1“ je poškozen (řádek %2). Smažte jej a databáze se synchronizuje znovu; nic se neztratí, odlišné karty se stanou konflikty.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file; the sync state cannot be read.</source>
        <translation>„%1“ není soubor; stav synchronizace nelze přečíst.</translation>
    </message>
    <message>
        <source>The sync state file &quot;%1&quot; cannot be opened: %2</source>
        <translation>Soubor stavu synchronizace „%1“ nelze otevřít: %2</translation>
    </message>
    <message>
        <source>The sync state file &quot;%1&quot; cannot be read: %2</source>
        <translation>Soubor stavu synchronizace „%1“ nelze přečíst: %2</translation>
    </message>
    <message>
        <source>The sync state file &quot;%1&quot; is larger than 1 GiB.</source>
        <translation>Soubor stavu synchronizace „%1“ je větší než 1 GiB.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file; the sync state cannot be written.</source>
        <translation>„%1“ není soubor; stav synchronizace nelze zapsat.</translation>
    </message>
    <message>
        <source>The sync state file &quot;%1&quot; cannot be written: %2</source>
        <translation>Soubor stavu synchronizace „%1“ nelze zapsat: %2</translation>
    </message>
</context>
<context>
    <name>TSyncStatusLabel</name>
    <message>
        <source>Last sync: %1</source>
        <translation>Poslední synchronizace: %1</translation>
    </message>
    <message>
        <source>Not synced yet</source>
        <translation>Dosud nesynchronizováno</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Synchronizuje se…</translation>
    </message>
    <message>
        <source>The last sync failed: %1</source>
        <translation>Poslední synchronizace selhala: %1</translation>
    </message>
</context>
<context>
    <name>TTemplateEditor</name>
    <message>
        <source>Press ENTER or Double click to put selected Col bookmark to the Template</source>
        <translation>Klávesou Enter nebo dvojklikem vložíte značku vybraného sloupce do šablony</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nový</translation>
    </message>
    <message>
        <source>New Template</source>
        <translation>Nová šablona</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Otevřít…</translation>
    </message>
    <message>
        <source>Open Template</source>
        <translation>Otevřít šablonu</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Uložit</translation>
    </message>
    <message>
        <source>Save Template</source>
        <translation>Uložit šablonu</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Uložit j&amp;ako…</translation>
    </message>
    <message>
        <source>Save As Template</source>
        <translation>Uloží šablonu pod novým názvem</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Zpět</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Vrátí poslední akci</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Vyj&amp;mout</translation>
    </message>
    <message>
        <source>Delete selected item</source>
        <translation>Odstraní vybranou položku</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopírovat</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>V&amp;ložit</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Vybrat &amp;vše</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Vybere vše</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Najít…</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>Najít…</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Najít &amp;další</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Najít další</translation>
    </message>
    <message>
        <source>&amp;Replace...</source>
        <translation>Na&amp;hradit…</translation>
    </message>
    <message>
        <source>Replace...</source>
        <translation>Nahradit…</translation>
    </message>
    <message>
        <source>R&amp;eplace Next</source>
        <translation>Nahradit d&amp;alší</translation>
    </message>
    <message>
        <source>Replace Next</source>
        <translation>Nahradit další</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Tučné</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Tučné</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Kurzíva</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kurzíva</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Podtržené</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Podtržené</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normální</translation>
    </message>
    <message>
        <source>&amp;Bigger</source>
        <translation>&amp;Větší</translation>
    </message>
    <message>
        <source>&amp;Smaller</source>
        <translation>&amp;Menší</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Velikost</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Velikost písma</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Soubor</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Úp&amp;ravy</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Soubor „%1“ nelze otevřít. %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Soubor „%1“ nelze vytvořit. %2</translation>
    </message>
    <message>
        <source>Save Template As</source>
        <translation>Uložit šablonu jako</translation>
    </message>
    <message>
        <source>Template (*.txt)</source>
        <translation>Šablona (*.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
</context>
<context>
    <name>TUndoCommands</name>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Zpět: %1</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Psaní</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Zpět</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>Zn&amp;ovu: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Zn&amp;ovu</translation>
    </message>
    <message>
        <source>Edit of %1</source>
        <translation>Úprava pole %1</translation>
    </message>
    <message>
        <source>Save Record</source>
        <translation>Uložení záznamu</translation>
    </message>
    <message>
        <source>New Record</source>
        <translation>Nový záznam</translation>
    </message>
    <message>
        <source>Delete Record</source>
        <translation>Odstranění záznamu</translation>
    </message>
    <message>
        <source>Import of 1 Record</source>
        <translation>Import 1 záznamu</translation>
    </message>
    <message>
        <source>Import of %1 Records</source>
        <translation>Import %1 záznamů</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Seřazení</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Synchronizace</translation>
    </message>
    <message>
        <source>Merge of %1 Records</source>
        <translation>Sloučení %1 záznamů</translation>
    </message>
</context>
<context>
    <name>TVCardContactBuilder</name>
    <message>
        <source>Instant messaging</source>
        <translation>Rychlé zprávy</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Funkce</translation>
    </message>
</context>
<context>
    <name>TVCardExchange</name>
    <message>
        <source>The file &quot;%1&quot; holds no vCard.</source>
        <translation>Soubor „%1“ neobsahuje žádnou vizitku vCard.</translation>
    </message>
</context>
<context>
    <name>TVCardReader</name>
    <message>
        <source>The file &quot;%1&quot; cannot be read: %2</source>
        <translation>Soubor „%1“ nelze přečíst: %2</translation>
    </message>
    <message>
        <source>The card that begins on line %1 of the vCard file is neither UTF-8 nor Windows-1250 text.</source>
        <translation>Vizitka, která začíná na řádku %1 souboru vCard, není text v kódování UTF-8 ani Windows-1250.</translation>
    </message>
    <message>
        <source>Line %1 of the vCard file is longer than 16 MiB.</source>
        <translation>Řádek %1 souboru vCard je delší než 16 MiB.</translation>
    </message>
    <message>
        <source>The vCard file holds more than %1 cards (line %2).</source>
        <translation>Soubor vCard obsahuje více než %1 vizitek (řádek %2).</translation>
    </message>
    <message>
        <source>Line %1 of the vCard file ends a card that was not begun.</source>
        <translation>Řádek %1 souboru vCard ukončuje vizitku, která nebyla zahájena.</translation>
    </message>
    <message>
        <source>The card that begins on line %1 of the vCard file is too large.</source>
        <translation>Vizitka, která začíná na řádku %1 souboru vCard, je příliš velká.</translation>
    </message>
    <message>
        <source>Line %1 of the vCard file is not a vCard property.</source>
        <translation>Řádek %1 souboru vCard není vlastností vCard.</translation>
    </message>
    <message>
        <source>Line %1 of the vCard file lies outside a card.</source>
        <translation>Řádek %1 souboru vCard leží mimo vizitku.</translation>
    </message>
    <message>
        <source>The card that begins on line %1 of the vCard file has no end.</source>
        <translation>Vizitka, která začíná na řádku %1 souboru vCard, nemá konec.</translation>
    </message>
    <message>
        <source>No vCard file has been chosen.</source>
        <translation>Nebyl vybrán soubor vCard.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be imported.</source>
        <translation>„%1“ není soubor, který lze importovat.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be opened: %2</source>
        <translation>Soubor „%1“ nelze otevřít: %2</translation>
    </message>
</context>
<context>
    <name>TdlgFind</name>
    <message>
        <source>Find</source>
        <translation>Najít</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Hledat:</translation>
    </message>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>Pouze &amp;celá slova</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Rozlišovat malá a velká písmena</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Směr</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Nahor&amp;u</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Dolů</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Najít další</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Storno</translation>
    </message>
</context>
<context>
    <name>TdlgImportDuplicates</name>
    <message>
        <source>Contacts Already in the Database</source>
        <translation>Kontakty, které už v databázi jsou</translation>
    </message>
    <message>
        <source>What should the import do with them?</source>
        <translation>Co s nimi má import udělat?</translation>
    </message>
    <message>
        <source>&amp;Add them anyway</source>
        <translation>Přesto je &amp;přidat</translation>
    </message>
    <message>
        <source>&amp;Skip them</source>
        <translation>&amp;Vynechat je</translation>
    </message>
    <message>
        <source>&amp;Update the existing contacts: fill their empty fields and add the other phone numbers and e-mail addresses</source>
        <translation>&amp;Doplnit stávající kontakty: vyplnit jejich prázdná pole a přidat další telefonní čísla a e-mailové adresy</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importovat</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Storno</translation>
    </message>
</context>
<context>
    <name>TdlgSyncPassword</name>
    <message>
        <source>Sync Password</source>
        <translation>Heslo pro synchronizaci</translation>
    </message>
    <message>
        <source>The password of %1 at %2:</source>
        <translation>Heslo uživatele %1 na %2:</translation>
    </message>
    <message>
        <source>No password is kept in the secret store (%1).</source>
        <translation>V úložišti hesel žádné heslo není (%1).</translation>
    </message>
</context>
<context>
    <name>TdlgSyncSettings</name>
    <message>
        <source>Sync Settings</source>
        <translation>Nastavení synchronizace</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Účet</translation>
    </message>
    <message>
        <source>Address &amp;book or server:</source>
        <translation>&amp;Adresář nebo server:</translation>
    </message>
    <message>
        <source>The address of an address book, or of the server to find your address books on. Only https: addresses (http: only with this computer).</source>
        <translation>Adresa adresáře, nebo serveru, na kterém se mají vaše adresáře vyhledat. Jen adresy https: (http: jen s tímto počítačem).</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Uživatelské jméno:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Heslo:</translation>
    </message>
    <message>
        <source>&amp;Keep the password in the desktop&apos;s secret store</source>
        <translation>&amp;Zapamatovat heslo v úložišti hesel pracovního prostředí</translation>
    </message>
    <message>
        <source>Otherwise it is asked for at each sync. It is never written to a file.</source>
        <translation>Jinak se vyžádá při každé synchronizaci. Do souboru se nikdy nezapisuje.</translation>
    </message>
    <message>
        <source>&amp;Find Address Books</source>
        <translation>&amp;Najít adresáře</translation>
    </message>
    <message>
        <source>Address b&amp;ooks found:</source>
        <translation>Nalezené adre&amp;sáře:</translation>
    </message>
    <message>
        <source>When to sync</source>
        <translation>Kdy synchronizovat</translation>
    </message>
    <message>
        <source>When the database is op&amp;ened</source>
        <translation>Při &amp;otevření databáze</translation>
    </message>
    <message>
        <source>When the database is &amp;closed</source>
        <translation>Při zavř&amp;ení databáze</translation>
    </message>
    <message>
        <source>E&amp;very</source>
        <translation>&amp;Každých</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minut</translation>
    </message>
    <message>
        <source>Database: %1</source>
        <translation>Databáze: %1</translation>
    </message>
    <message>
        <source>Last successful sync: %1</source>
        <translation>Poslední úspěšná synchronizace: %1</translation>
    </message>
    <message>
        <source>Not synced yet.</source>
        <translation>Dosud nesynchronizováno.</translation>
    </message>
    <message>
        <source>Type the address of your server first.</source>
        <translation>Nejprve zadejte adresu svého serveru.</translation>
    </message>
    <message>
        <source>No address books were found: %1</source>
        <translation>Nebyly nalezeny žádné adresáře: %1</translation>
    </message>
</context>
<context>
    <name>TdlgTemplateFind</name>
    <message>
        <source>Replace</source>
        <translation>Nahradit</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Najít</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Hledat:</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>Nahradit &amp;za:</translation>
    </message>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>Pouze &amp;celá slova</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Rozlišovat malá a velká písmena</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Najít další</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>Nahra&amp;dit</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>Nahradit &amp;vše</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Storno</translation>
    </message>
</context>
<context>
    <name>TframeMainDBSort</name>
    <message>
        <source>Sort Rows: %1 - %2</source>
        <translation>Řazení – řádky: %1 – %2</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Položka</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Pořadí</translation>
    </message>
</context>
<context>
    <name>TframeMainIDE</name>
    <message>
        <source>Surname:</source>
        <translation>Příjmení:</translation>
    </message>
    <message>
        <source>Firstname:</source>
        <translation>Jméno:</translation>
    </message>
    <message>
        <source>Nick:</source>
        <translation>Přezdívka:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresa:</translation>
    </message>
    <message>
        <source>ZipCode:</source>
        <translation>PSČ:</translation>
    </message>
    <message>
        <source>Country:</source>
        <translation>Stát:</translation>
    </message>
    <message>
        <source>Town:</source>
        <translation>Město:</translation>
    </message>
    <message>
        <source>City:</source>
        <translation>Městská část:</translation>
    </message>
    <message>
        <source>Phone:</source>
        <translation>Telefon:</translation>
    </message>
    <message>
        <source>Fax:</source>
        <translation>Fax:</translation>
    </message>
    <message>
        <source>ICQ:</source>
        <translation>ICQ:</translation>
    </message>
    <message>
        <source>Internet:</source>
        <translation>Internet:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otevřít</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Přejít</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Hobby:</source>
        <translation>Koníčky:</translation>
    </message>
    <message>
        <source>Misc:</source>
        <translation>Různé:</translation>
    </message>
    <message>
        <source>&amp;Work</source>
        <translation>&amp;Pracovní</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Firma:</translation>
    </message>
    <message>
        <source>Desc:</source>
        <translation>Popis:</translation>
    </message>
    <message>
        <source>ICO:</source>
        <translation>IČO:</translation>
    </message>
    <message>
        <source>DIC:</source>
        <translation>DIČ:</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Funkce:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Poznámky:</translation>
    </message>
    <message>
        <source>H&amp;ome</source>
        <translation>&amp;Domácí</translation>
    </message>
</context>
<context>
    <name>TframeMainPrintPreview</name>
    <message>
        <source>Wait please...</source>
        <translation>Čekejte prosím…</translation>
    </message>
</context>
<context>
    <name>TframeMainPrintRows</name>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Označit vše</translation>
    </message>
    <message>
        <source>&amp;Unselect All</source>
        <translation>Odznačit vš&amp;e</translation>
    </message>
    <message>
        <source>&amp;Query</source>
        <translation>&amp;Dotaz</translation>
    </message>
    <message>
        <source>Ro&amp;ws</source>
        <translation>Řádk&amp;y</translation>
    </message>
</context>
<context>
    <name>TframeMainPrintTemplate</name>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Označit vše</translation>
    </message>
    <message>
        <source>&amp;Basic</source>
        <translation>Zák&amp;ladní</translation>
    </message>
    <message>
        <source>&amp;User</source>
        <translation>Už&amp;ivatelská</translation>
    </message>
    <message>
        <source>Unse&amp;lect All</source>
        <translation>Odznačit vš&amp;e</translation>
    </message>
</context>
<context>
    <name>TframeMainQuery</name>
    <message>
        <source>Case Sensitive</source>
        <translation>Rozlišovat velikost písmen</translation>
    </message>
    <message>
        <source>--any--</source>
        <translation>--kterékoli--</translation>
    </message>
    <message>
        <source>--every--</source>
        <translation>--všechna--</translation>
    </message>
    <message>
        <source>--at least one--</source>
        <translation>--alespoň jedno--</translation>
    </message>
    <message>
        <source>contain</source>
        <translation>obsahuje</translation>
    </message>
    <message>
        <source>doesn&apos;t contain</source>
        <translation>neobsahuje</translation>
    </message>
    <message>
        <source>is</source>
        <translation>je</translation>
    </message>
    <message>
        <source>isn&apos;t</source>
        <translation>není</translation>
    </message>
    <message>
        <source>Query Rows: %1 - %2</source>
        <translation>Dotaz – řádky: %1 – %2</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operátor:</translation>
    </message>
    <message>
        <source>and</source>
        <translation>a zároveň</translation>
    </message>
    <message>
        <source>or</source>
        <translation>nebo</translation>
    </message>
    <message>
        <source>Clear actual query</source>
        <translation>Vyprázdní aktuální dotaz</translation>
    </message>
    <message>
        <source>&amp;Open query...</source>
        <translation>&amp;Otevřít dotaz…</translation>
    </message>
    <message>
        <source>Open existing query from a file</source>
        <translation>Otevře existující dotaz ze souboru</translation>
    </message>
    <message>
        <source>&amp;Save query</source>
        <translation>&amp;Uložit dotaz</translation>
    </message>
    <message>
        <source>Save current query to a file</source>
        <translation>Uloží aktuální dotaz do souboru</translation>
    </message>
    <message>
        <source>Save &amp;as query...</source>
        <translation>Uložit dotaz j&amp;ako…</translation>
    </message>
    <message>
        <source>Save current query to a new file</source>
        <translation>Uloží aktuální dotaz do nového souboru</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Položka</translation>
    </message>
    <message>
        <source>Compar</source>
        <translation>Porovnání</translation>
    </message>
    <message>
        <source>C</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Save Query</source>
        <translation>Uložit dotaz</translation>
    </message>
    <message>
        <source>Open Query</source>
        <translation>Otevřít dotaz</translation>
    </message>
    <message>
        <source>Orvane Query Definition (*.tbq)</source>
        <translation>Definice dotazu Orvane (*.tbq)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message>
        <source>New q&amp;uery</source>
        <translation>Nový do&amp;taz</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>About Orvane Contacts</source>
        <translation>O programu Orvane Contacts</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Verze </translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Všechna práva vyhrazena.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>This program is provided &quot;as is&quot;, without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and noninfringement. In no event shall the authors be liable for any claim, damages or other liability arising from the use of the program or of the data kept with it.

You may use the program free of charge for personal and business purposes. You may give it to others unchanged and without charge. Keep backup copies of your databases.</source>
        <translation>Tento program je poskytován „tak, jak je“, bez jakékoli výslovné či předpokládané záruky, mimo jiné včetně záruk prodejnosti, vhodnosti pro určitý účel a neporušení práv. Autoři v žádném případě neodpovídají za jakékoli nároky, škody či jinou odpovědnost vzniklou z užívání programu nebo dat v něm uložených.

Program můžete bezplatně používat pro osobní i obchodní účely. Můžete jej bezplatně a beze změn předávat dalším. Pořizujte si záložní kopie svých databází.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Soubor</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Verze</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Cesta</translation>
    </message>
</context>
<context>
    <name>TfrmCommon</name>
    <message>
        <source>Commands</source>
        <translation>Příkazy</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Nový…</translation>
    </message>
    <message>
        <source>Create new database</source>
        <translation>Vytvoří novou databázi</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Otevřít…</translation>
    </message>
    <message>
        <source>Open an existing database</source>
        <translation>Otevře existující databázi</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Uložit</translation>
    </message>
    <message>
        <source>Save current database</source>
        <translation>Uloží aktuální databázi</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Uložit j&amp;ako…</translation>
    </message>
    <message>
        <source>Save current database under a new name</source>
        <translation>Uloží aktuální databázi pod novým názvem</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Znovu načíst</translation>
    </message>
    <message>
        <source>Reload current database</source>
        <translation>Znovu načte aktuální databázi</translation>
    </message>
    <message>
        <source>Import or export Orvane Contact&apos;s database</source>
        <translation>Importuje nebo exportuje databázi Orvane Contacts</translation>
    </message>
    <message>
        <source>Import from CSV (separate Comma)...</source>
        <translation>Importuje kontakty ze souboru CSV (oddělovač čárka)</translation>
    </message>
    <message>
        <source>Export to CSV (separate comma) file format</source>
        <translation>Exportuje kontakty do souboru CSV (oddělovač čárka)</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Tisk…</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>&amp;First</source>
        <translation>&amp;První</translation>
    </message>
    <message>
        <source>Go to the first record</source>
        <translation>Přejde na první záznam</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>Př&amp;edchozí</translation>
    </message>
    <message>
        <source>Go to the previous record</source>
        <translation>Přejde na předchozí záznam</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Další</translation>
    </message>
    <message>
        <source>Go to the next record</source>
        <translation>Přejde na další záznam</translation>
    </message>
    <message>
        <source>&amp;Last</source>
        <translation>Pos&amp;lední</translation>
    </message>
    <message>
        <source>Go to the last record</source>
        <translation>Přejde na poslední záznam</translation>
    </message>
    <message>
        <source>Add a new record</source>
        <translation>Přidá nový záznam</translation>
    </message>
    <message>
        <source>Save the current record</source>
        <translation>Uloží aktuální záznam</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Odstranit</translation>
    </message>
    <message>
        <source>Delete the current record</source>
        <translation>Odstraní aktuální záznam</translation>
    </message>
    <message>
        <source>Show database as a table</source>
        <translation>Zobrazí databázi jako tabulku</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Zpět</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>Vrátí poslední změnu</translation>
    </message>
    <message>
        <source>Alt+Backspace</source>
        <translation>Alt+Backspace</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Vyj&amp;mout</translation>
    </message>
    <message>
        <source>Cut the selection to the clipboard</source>
        <translation>Vyjme výběr do schránky</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopírovat</translation>
    </message>
    <message>
        <source>Copy the selection to the clipboard</source>
        <translation>Zkopíruje výběr do schránky</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>V&amp;ložit</translation>
    </message>
    <message>
        <source>Paste from the clipboard</source>
        <translation>Vloží obsah schránky</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Najít…</translation>
    </message>
    <message>
        <source>Find text in the database</source>
        <translation>Najde text v databázi</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Najít &amp;další</translation>
    </message>
    <message>
        <source>Find the next occurrence</source>
        <translation>Najde další výskyt</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>&amp;Query...</source>
        <translation>Do&amp;taz…</translation>
    </message>
    <message>
        <source>Ctrl+Alt+F</source>
        <translation>Ctrl+Alt+F</translation>
    </message>
    <message>
        <source>&amp;Sort database...</source>
        <translation>&amp;Seřadit databázi…</translation>
    </message>
    <message>
        <source>Sort the database by several columns</source>
        <translation>Seřadí databázi podle několika sloupců</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Možnosti…</translation>
    </message>
    <message>
        <source>Change the program options</source>
        <translation>Změní nastavení programu</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Témata nápovědy</translation>
    </message>
    <message>
        <source>Show the help contents</source>
        <translation>Zobrazí obsah nápovědy</translation>
    </message>
    <message>
        <source>&amp;Topic Search</source>
        <translation>&amp;Hledat téma</translation>
    </message>
    <message>
        <source>Search the help topics</source>
        <translation>Vyhledá téma v nápovědě</translation>
    </message>
    <message>
        <source>How To Use Help</source>
        <translation>Jak používat nápovědu</translation>
    </message>
    <message>
        <source>How to use the help</source>
        <translation>Jak používat nápovědu</translation>
    </message>
    <message>
        <source>&amp;What Is New?</source>
        <translation>&amp;Co je nového?</translation>
    </message>
    <message>
        <source>What is new in this version</source>
        <translation>Co je nového v této verzi</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;O programu…</translation>
    </message>
    <message>
        <source>About the program</source>
        <translation>Informace o programu</translation>
    </message>
    <message>
        <source>Ctrl+Alt+A</source>
        <translation>Ctrl+Alt+A</translation>
    </message>
    <message>
        <source>Fill Grid</source>
        <translation>Naplnit tabulku</translation>
    </message>
    <message>
        <source>Clear Grid</source>
        <translation>Vyprázdnit tabulku</translation>
    </message>
    <message>
        <source>&amp;Process Query</source>
        <translation>&amp;Provést dotaz</translation>
    </message>
    <message>
        <source>Process Query</source>
        <translation>Provede dotaz</translation>
    </message>
    <message>
        <source>&amp;Close Query</source>
        <translation>Zavřít &amp;dotaz</translation>
    </message>
    <message>
        <source>Close Query</source>
        <translation>Zavře dotaz</translation>
    </message>
    <message>
        <source>Database Query</source>
        <translation>Dotaz do databáze</translation>
    </message>
    <message>
        <source>&amp;Sort</source>
        <translation>S&amp;eřadit</translation>
    </message>
    <message>
        <source>Sort the database</source>
        <translation>Seřadí databázi</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Zr&amp;ušit</translation>
    </message>
    <message>
        <source>Leave the sort builder without sorting</source>
        <translation>Opustí řazení bez seřazení databáze</translation>
    </message>
    <message>
        <source>&amp;Next Step (Rows) 1/3</source>
        <translation>&amp;Další krok (řádky) 1/3</translation>
    </message>
    <message>
        <source>Show next step (Rows)</source>
        <translation>Zobrazí další krok (řádky)</translation>
    </message>
    <message>
        <source>&amp;Next Step (Template) 2/3</source>
        <translation>Další &amp;krok (šablona) 2/3</translation>
    </message>
    <message>
        <source>Show next step (Template)</source>
        <translation>Zobrazí další krok (šablona)</translation>
    </message>
    <message>
        <source>&amp;Next Step (Preview) 3/3</source>
        <translation>Další &amp;krok (náhled) 3/3</translation>
    </message>
    <message>
        <source>Continue with next step (Preview)</source>
        <translation>Pokračuje dalším krokem (náhled)</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Tisk</translation>
    </message>
    <message>
        <source>Print the document</source>
        <translation>Vytiskne dokument</translation>
    </message>
    <message>
        <source>&amp;Cancel Print</source>
        <translation>Zr&amp;ušit tisk</translation>
    </message>
    <message>
        <source>Cancel Print Wizard</source>
        <translation>Ukončí průvodce tiskem</translation>
    </message>
    <message>
        <source>Prepare Report</source>
        <translation>Připravit sestavu</translation>
    </message>
    <message>
        <source>Database (*.tbr)</source>
        <translation>Databáze (*.tbr)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message>
        <source>Import contacts from vCard file</source>
        <translation>Importuje kontakty ze souboru vCard</translation>
    </message>
    <message>
        <source>Export contacts to vCard file</source>
        <translation>Exportuje kontakty do souboru vCard</translation>
    </message>
    <message>
        <source>Print current database</source>
        <translation>Vytiskne aktuální databázi</translation>
    </message>
    <message>
        <source>Change printer setup</source>
        <translation>Změní nastavení tiskárny</translation>
    </message>
    <message>
        <source>Check for the newest version</source>
        <translation>Zjistí, zda existuje nejnovější verze</translation>
    </message>
    <message>
        <source>Show product web page</source>
        <translation>Zobrazí webovou stránku produktu</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Zn&amp;ovu</translation>
    </message>
    <message>
        <source>Redo the change last undone</source>
        <translation>Znovu provést naposledy vrácenou změnu</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>Import from / Export to &amp;TBR...</source>
        <translation>Import / export &amp;TBR…</translation>
    </message>
    <message>
        <source>Import from &amp;CSV...</source>
        <translation>Import z &amp;CSV…</translation>
    </message>
    <message>
        <source>&amp;Export to CSV...</source>
        <translation>&amp;Export do CSV…</translation>
    </message>
    <message>
        <source>Import from &amp;vCard...</source>
        <translation>Import z &amp;vCard…</translation>
    </message>
    <message>
        <source>E&amp;xport to vCard...</source>
        <translation>Export &amp;do vCard…</translation>
    </message>
    <message>
        <source>Pr&amp;int Setup...</source>
        <translation>Nastav&amp;ení tiskárny…</translation>
    </message>
    <message>
        <source>N&amp;ew</source>
        <translation>&amp;Nový</translation>
    </message>
    <message>
        <source>Show &amp;Grid</source>
        <translation>Zobrazit &amp;tabulku</translation>
    </message>
    <message>
        <source>&amp;Check for Updates...</source>
        <translation>Zkontrolovat &amp;aktualizace…</translation>
    </message>
    <message>
        <source>&amp;Product Web Site...</source>
        <translation>&amp;Webové stránky produktu…</translation>
    </message>
    <message>
        <source>Database File Name: %1</source>
        <translation>Soubor databáze: %1</translation>
    </message>
    <message>
        <source>Reload it (your unsaved change is lost)</source>
        <translation>Načíst ji znovu (neuložená změna se ztratí)</translation>
    </message>
    <message>
        <source>Save over it</source>
        <translation>Uložit přes ni</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Uložit jako…</translation>
    </message>
    <message>
        <source>S&amp;ync Now</source>
        <translation>&amp;Synchronizovat nyní</translation>
    </message>
    <message>
        <source>Sync the database with its address book on the server</source>
        <translation>Synchronizovat databázi s jejím adresářem na serveru</translation>
    </message>
    <message>
        <source>Sync Se&amp;ttings...</source>
        <translation>Nastavení s&amp;ynchronizace…</translation>
    </message>
    <message>
        <source>Choose the address book the database syncs with, and when</source>
        <translation>Zvolit adresář, se kterým se databáze synchronizuje, a kdy</translation>
    </message>
    <message>
        <source>Ctrl+Home</source>
        <translation>Ctrl+Home</translation>
    </message>
    <message>
        <source>Ctrl+PgUp</source>
        <translation>Ctrl+PgUp</translation>
    </message>
    <message>
        <source>Ctrl+PgDown</source>
        <translation>Ctrl+PgDown</translation>
    </message>
    <message>
        <source>Ctrl+End</source>
        <translation>Ctrl+End</translation>
    </message>
    <message>
        <source>Ctrl+Shift+N</source>
        <translation>Ctrl+Shift+N</translation>
    </message>
    <message>
        <source>Ctrl+Del</source>
        <translation>Ctrl+Del</translation>
    </message>
    <message>
        <source>Find &amp;Duplicates...</source>
        <translation>Najít &amp;duplicity…</translation>
    </message>
    <message>
        <source>Find the contacts that are the same person and merge them</source>
        <translation>Najít kontakty téže osoby a sloučit je</translation>
    </message>
    <message>
        <source>Export Contact as &amp;vCard...</source>
        <translation>Exportovat kontakt do &amp;vCard…</translation>
    </message>
    <message>
        <source>Export the current contact to a vCard file</source>
        <translation>Exportovat aktuální kontakt do souboru vCard</translation>
    </message>
    <message>
        <source>Export Contact as &amp;CSV...</source>
        <translation>Exportovat kontakt do &amp;CSV…</translation>
    </message>
    <message>
        <source>Export the current contact to a CSV file</source>
        <translation>Exportovat aktuální kontakt do souboru CSV</translation>
    </message>
    <message>
        <source>Export &amp;Shown Contacts as vCard...</source>
        <translation>Exportovat &amp;zobrazené kontakty do vCard…</translation>
    </message>
    <message>
        <source>Export the contacts shown to a vCard file</source>
        <translation>Exportovat zobrazené kontakty do souboru vCard</translation>
    </message>
    <message>
        <source>Export S&amp;hown Contacts as CSV...</source>
        <translation>Exportovat zobrazené kontakty do C&amp;SV…</translation>
    </message>
    <message>
        <source>Export the contacts shown to a CSV file</source>
        <translation>Exportovat zobrazené kontakty do souboru CSV</translation>
    </message>
    <message>
        <source>Fi&amp;lter</source>
        <translation>&amp;Filtr</translation>
    </message>
    <message>
        <source>Show only the contacts that contain a text</source>
        <translation>Zobrazí jen kontakty, které obsahují text</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>The last change could not be saved: %1
<byte value="xd"/>Read the file again anyway and lose it?</source>
        <translation>Poslední změnu se nepodařilo uložit: %1
<byte value="xd"/>Přesto soubor načíst znovu a změnu ztratit?</translation>
    </message>
    <message>
        <source>The last change could not be saved: %1
<byte value="xd"/>Open another database anyway and lose it?</source>
        <translation>Poslední změnu se nepodařilo uložit: %1
<byte value="xd"/>Přesto otevřít jinou databázi a změnu ztratit?</translation>
    </message>
</context>
<context>
    <name>TfrmDBImportExport</name>
    <message>
        <source>Import / Export</source>
        <translation>Import / export</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Zdroj</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Procházet…</translation>
    </message>
    <message>
        <source>Database Version:</source>
        <translation>Verze databáze:</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Cíl</translation>
    </message>
    <message>
        <source>B&amp;rowse...</source>
        <translation>Pr&amp;ocházet…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Uložit</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Storno</translation>
    </message>
    <message>
        <source>Destination Database</source>
        <translation>Cílová databáze</translation>
    </message>
    <message>
        <source>Source Database</source>
        <translation>Zdrojová databáze</translation>
    </message>
    <message>
        <source>Destination file already exists. Are you sure to overwrite it?</source>
        <translation>Cílový soubor již existuje. Opravdu jej chcete přepsat?</translation>
    </message>
    <message>
        <source>The original database is kept in &quot;%1&quot;.</source>
        <translation>Původní databáze je uložena v souboru „%1“.</translation>
    </message>
    <message>
        <source>Import / Export was successful.</source>
        <translation>Import / export proběhl úspěšně.</translation>
    </message>
    <message>
        <source>Database (*.tbr)</source>
        <translation>Databáze (*.tbr)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message>
        <source>Stored text:</source>
        <translation>Uložený text:</translation>
    </message>
    <message>
        <source>Unicode (UTF-8)</source>
        <translation>Unicode (UTF-8)</translation>
    </message>
    <message>
        <source>Central European (Windows-1250)</source>
        <translation>Středoevropský (Windows-1250)</translation>
    </message>
</context>
<context>
    <name>TfrmExportToCSV</name>
    <message>
        <source>Export to CSV</source>
        <translation>Export do CSV</translation>
    </message>
    <message>
        <source>Export following columns:</source>
        <translation>Exportovat tyto sloupce:</translation>
    </message>
    <message>
        <source>Destination file:</source>
        <translation>Cílový soubor:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>&amp;Procházet…</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Storno</translation>
    </message>
    <message>
        <source>Destination file</source>
        <translation>Cílový soubor</translation>
    </message>
    <message>
        <source>Export has been successful. Would you like to close the window?</source>
        <translation>Export proběhl úspěšně. Chcete zavřít okno?</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Soubory CSV (*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message>
        <source>&amp;Header line:</source>
        <translation>&amp;Záhlaví:</translation>
    </message>
    <message>
        <source>Column names (%1)</source>
        <translation>Názvy sloupců (%1)</translation>
    </message>
    <message>
        <source>Column titles (%1)</source>
        <translation>Popisky sloupců (%1)</translation>
    </message>
    <message>
        <source>&amp;Encoding:</source>
        <translation>&amp;Kódování:</translation>
    </message>
    <message>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <source>Windows-1250</source>
        <translation>Windows-1250</translation>
    </message>
</context>
<context>
    <name>TfrmExportToVCard</name>
    <message>
        <source>Export to vCard</source>
        <translation>Export do vCard</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportovat</translation>
    </message>
    <message>
        <source>&amp;All records (%1)</source>
        <translation>&amp;Všechny záznamy (%1)</translation>
    </message>
    <message>
        <source>Records of the &amp;query result (%1)</source>
        <translation>Záznamy výsledku &amp;dotazu (%1)</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Verze</translation>
    </message>
    <message>
        <source>vCard &amp;4.0</source>
        <translation>vCard &amp;4.0</translation>
    </message>
    <message>
        <source>vCard &amp;3.0 (older phones and programs)</source>
        <translation>vCard &amp;3.0 (starší telefony a programy)</translation>
    </message>
    <message>
        <source>Destination file:</source>
        <translation>Cílový soubor:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>&amp;Procházet…</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Storno</translation>
    </message>
    <message>
        <source>Destination file</source>
        <translation>Cílový soubor</translation>
    </message>
    <message>
        <source>vCard files (*.vcf)</source>
        <translation>Soubory vCard (*.vcf)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message>
        <source>Export has been successful. Would you like to close the window?</source>
        <translation>Export proběhl úspěšně. Chcete zavřít okno?</translation>
    </message>
</context>
<context>
    <name>TfrmFindDuplicates</name>
    <message>
        <source>Find Duplicates</source>
        <translation>Najít duplicity</translation>
    </message>
    <message>
        <source>&amp;Contacts of the group (select the one to keep):</source>
        <translation>&amp;Kontakty skupiny (vyberte ten, který zůstane):</translation>
    </message>
    <message>
        <source>The contact kept after the merge:</source>
        <translation>Kontakt, který po sloučení zůstane:</translation>
    </message>
    <message>
        <source>Merging fills the empty fields of the contact kept from the others, adds their other phone numbers, e-mail addresses and lines to its fields, writes any other value that differs into its notes, and deletes the others. Edit &gt; Undo takes a merge back.</source>
        <translation>Sloučení vyplní prázdná pole ponechaného kontaktu z ostatních, přidá do jeho polí jejich další telefonní čísla, e-mailové adresy a řádky, každou jinou odlišnou hodnotu zapíše do jeho poznámek a ostatní kontakty smaže. Úpravy &gt; Zpět sloučení vrátí.</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Sloučit</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Zavřít</translation>
    </message>
    <message>
        <source>No likely duplicates were found: no two contacts share a name and an e-mail address or a phone number, or an e-mail address.</source>
        <translation>Žádné pravděpodobné duplicity nebyly nalezeny: žádné dva kontakty nemají stejné jméno a společnou e-mailovou adresu nebo telefonní číslo, ani stejnou e-mailovou adresu.</translation>
    </message>
    <message>
        <source>Groups of likely duplicates: %1. Contacts that share a name and an e-mail address or a phone number, or an e-mail address, are listed together.</source>
        <translation>Skupin pravděpodobných duplicit: %1. Kontakty se stejným jménem a společnou e-mailovou adresou nebo telefonním číslem, nebo se stejnou e-mailovou adresou, jsou uvedeny spolu.</translation>
    </message>
</context>
<context>
    <name>TfrmHelp</name>
    <message>
        <source>Orvane Contacts Help</source>
        <translation>Nápověda Orvane Contacts</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Obsah</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zpět</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vpřed</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Z&amp;avřít</translation>
    </message>
</context>
<context>
    <name>TfrmImportFromCSV</name>
    <message>
        <source>Import from CSV</source>
        <translation>Import z CSV</translation>
    </message>
    <message>
        <source>Source File:</source>
        <translation>Zdrojový soubor:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>P&amp;rocházet…</translation>
    </message>
    <message>
        <source>Co&amp;lums in CSV (header):</source>
        <translation>S&amp;loupce v CSV (záhlaví):</translation>
    </message>
    <message>
        <source>F&amp;irst column contain headers</source>
        <translation>&amp;Záhlaví v prvním řádku</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Přid&amp;at</translation>
    </message>
    <message>
        <source>Add All</source>
        <translation>Přidat vše</translation>
    </message>
    <message>
        <source>Column&apos;s data from CSV save to this columns (in order):</source>
        <translation>Data sloupců z CSV uložit do těchto sloupců (v tomto pořadí):</translation>
    </message>
    <message>
        <source>As &amp;First</source>
        <translation>Jako &amp;první</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Na&amp;horu</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Dolů</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Odstranit vše</translation>
    </message>
    <message>
        <source>Imported rows will be added at the end of the current database.</source>
        <translation>Importované řádky budou přidány na konec aktuální databáze.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Storno</translation>
    </message>
    <message>
        <source>-- neimportovat sloupec --</source>
        <translation>-- neimportovat sloupec --</translation>
    </message>
    <message>
        <source>Import has been successful. Would you like to close the window?</source>
        <translation>Import proběhl úspěšně. Chcete zavřít okno?</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>Soubory CSV (*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message>
        <source>The first line has more fields; only the first %1 are shown.</source>
        <translation>První řádek obsahuje více polí; zobrazeno je jen prvních %1.</translation>
    </message>
    <message>
        <source>&amp;Map by Names</source>
        <translation>&amp;Mapovat podle názvů</translation>
    </message>
    <message>
        <source>Map the fields again by the headings of the first line</source>
        <translation>Znovu přiřadit pole podle záhlaví v prvním řádku</translation>
    </message>
    <message>
        <source>Pre&amp;view of the first records as they will be stored:</source>
        <translation>&amp;Ukázka prvních záznamů tak, jak budou uloženy:</translation>
    </message>
    <message>
        <source>No heading of the first line matches a contact column; the mapping is left as it was.</source>
        <translation>Žádné záhlaví prvního řádku neodpovídá sloupci kontaktu; přiřazení zůstává beze změny.</translation>
    </message>
    <message>
        <source>Mapped by the headings of the first line (%1).</source>
        <translation>Přiřazeno podle záhlaví v prvním řádku (%1).</translation>
    </message>
    <message>
        <source>The preview ends before a record that cannot be read: %1</source>
        <translation>Ukázka končí před záznamem, který nelze přečíst: %1</translation>
    </message>
    <message>
        <source>No field of the file is mapped to a contact column: the records will be added empty.</source>
        <translation>Žádné pole souboru není přiřazeno ke sloupci kontaktu: záznamy budou přidány prázdné.</translation>
    </message>
    <message>
        <source>Not imported, no contact column fits them (%1): %2</source>
        <translation>Neimportuje se, žádný sloupec kontaktu jim neodpovídá (%1): %2</translation>
    </message>
    <message>
        <source>Source CSV File</source>
        <translation>Zdrojový soubor CSV</translation>
    </message>
    <message>
        <source>As Bo&amp;ttom</source>
        <translation>Jako posl&amp;ední</translation>
    </message>
    <message>
        <source>D&amp;elete</source>
        <translation>Odstra&amp;nit</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>Orvane Contacts</source>
        <translation>Orvane Contacts</translation>
    </message>
    <message>
        <source>No database</source>
        <translation>Žádná databáze</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Soubor</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>&amp;Poslední soubory</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Úp&amp;ravy</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Zobrazit</translation>
    </message>
    <message>
        <source>&amp;Record</source>
        <translation>Zázna&amp;m</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Nástroje</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Jazyk</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Nápo&amp;věda</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Nabídka</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Panel nástrojů</translation>
    </message>
    <message>
        <source>&amp;1. ---</source>
        <translation>&amp;1. ---</translation>
    </message>
    <message>
        <source>&amp;2. ---</source>
        <translation>&amp;2. ---</translation>
    </message>
    <message>
        <source>&amp;3. ---</source>
        <translation>&amp;3. ---</translation>
    </message>
    <message>
        <source>&amp;4. ---</source>
        <translation>&amp;4. ---</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Konec</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Panel nástrojů</translation>
    </message>
    <message>
        <source>&amp;Navigation Bar</source>
        <translation>&amp;Navigační lišta</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Stavový řádek</translation>
    </message>
    <message>
        <source>&amp;Czech</source>
        <translation>Č&amp;eština</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <translation>&amp;Angličtina</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Hotovo</translation>
    </message>
    <message>
        <source>No database is open. Use File | New to create one or File | Open to open one.</source>
        <translation>Není otevřena žádná databáze. Novou vytvoříte příkazem Soubor | Nový, existující otevřete příkazem Soubor | Otevřít.</translation>
    </message>
    <message>
        <source>The database could not be saved: %1
<byte value="xd"/>Database File Name: %%DB_FILENAME%%
<byte value="xd"/>
<byte value="xd"/>Your changes are kept; the next save of a record tries again.</source>
        <translation>Databázi se nepodařilo uložit: %1
<byte value="xd"/>Soubor databáze: %%DB_FILENAME%%
<byte value="xd"/>
<byte value="xd"/>Vaše změny zůstávají zachovány; další uložení záznamu se o zápis pokusí znovu.</translation>
    </message>
    <message>
        <source>I&amp;mport / Export</source>
        <translation>&amp;Import / export</translation>
    </message>
    <message>
        <source>The last change could not be saved: %1
<byte value="xd"/>Close anyway and lose it?</source>
        <translation>Poslední změnu se nepodařilo uložit: %1
<byte value="xd"/>Přesto zavřít a změnu ztratit?</translation>
    </message>
</context>
<context>
    <name>TfrmOptions</name>
    <message>
        <source>Options</source>
        <translation>Možnosti</translation>
    </message>
    <message>
        <source>&amp;General</source>
        <translation>Obe&amp;cné</translation>
    </message>
    <message>
        <source>Load &amp;Database At StartUp</source>
        <translation>&amp;Databáze otevíraná při spuštění</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>P&amp;rocházet…</translation>
    </message>
    <message>
        <source>Active &amp;Tab At StartUp</source>
        <translation>&amp;Karta zobrazená při spuštění</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Domácí</translation>
    </message>
    <message>
        <source>Work</source>
        <translation>Pracovní</translation>
    </message>
    <message>
        <source>&amp;Menu style</source>
        <translation>Styl &amp;nabídek</translation>
    </message>
    <message>
        <source>New style</source>
        <translation>Nový styl</translation>
    </message>
    <message>
        <source>Classic style</source>
        <translation>Klasický styl</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Tisk</translation>
    </message>
    <message>
        <source>Default User &amp;Template</source>
        <translation>Výchozí uživatelská ša&amp;blona</translation>
    </message>
    <message>
        <source>Default Print &amp;Style</source>
        <translation>&amp;Výchozí styl tisku</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Základní</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Uživatelský</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Storno</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Použít</translation>
    </message>
    <message>
        <source>Template (*.txt)</source>
        <translation>Šablona (*.txt)</translation>
    </message>
</context>
<context>
    <name>TfrmSplash</name>
    <message>
        <source>Orvane Contacts</source>
        <translation>Orvane Contacts</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Všechna práva vyhrazena.</translation>
    </message>
    <message>
        <source>For more information see About dialog.</source>
        <translation>Další informace najdete v okně O programu.</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Verze </translation>
    </message>
</context>
<context>
    <name>VCardCommandLine</name>
    <message>
        <source>The database could not be opened.</source>
        <translation>Databázi nelze otevřít.</translation>
    </message>
    <message>
        <source>Exported %1 contacts from %2 to %3.</source>
        <translation>Počet kontaktů exportovaných z %2 do %3: %1.</translation>
    </message>
    <message>
        <source>Imported %1 contacts from %2 into %3.</source>
        <translation>Počet kontaktů importovaných z %2 do %3: %1.</translation>
    </message>
    <message>
        <source>Already in the database or repeated in the file: %1; updated: %2, skipped: %3.</source>
        <translation>Už v databázi nebo v souboru opakovaně: %1; doplněno: %2, přeskočeno: %3.</translation>
    </message>
</context>
</TS>
