# -*- coding: utf-8 -*-
# Czech texts prepared for work that has not reached the main branch yet
# (print wizard and template editor, error report and about box, vCard
# exchange). Once its texts are in pellum_cs.ts (update_translations), fill
# them in with
#
#     scripts/fill-translations.py translations/pellum_cs.ts translations/pending_cs.py
#
# and delete the entries that were used.
ALL = {}
CTX = {
    'CommandLine': {
        '%1 needs a database and a vCard file.':
            '%1 potřebuje databázi a soubor vCard.',
        "Usage: %1 [OPTION]... [DATABASE]\n%2: a contacts manager. Opens DATABASE (a .tbr file), or the start-up\ndatabase of the options when none is given.\n\n  --make-sample FILE  write a sample contacts database to FILE and exit\n  --export-vcard DATABASE FILE  write the contacts of DATABASE to the vCard\n                      file FILE (version 4.0) and exit\n  --import-vcard DATABASE FILE  add the contacts of the vCard file FILE to\n                      DATABASE and exit\n  -h, --help          show this help and exit\n  --version           show the program's version and exit\n":
            'Použití: %1 [VOLBA]… [DATABÁZE]\n%2: správce kontaktů. Otevře DATABÁZI (soubor .tbr), a není-li zadána,\ndatabázi otevíranou při spuštění podle možností programu.\n\n  --make-sample SOUBOR  zapíše do SOUBORU ukázkovou databázi kontaktů a skončí\n  --export-vcard DATABÁZE SOUBOR  zapíše kontakty DATABÁZE do souboru vCard\n                      SOUBOR (verze 4.0) a skončí\n  --import-vcard DATABÁZE SOUBOR  přidá kontakty ze souboru vCard SOUBOR do\n                      DATABÁZE a skončí\n  -h, --help            zobrazí tuto nápovědu a skončí\n  --version             zobrazí verzi programu a skončí\n',
    },
    'Csv': {
        'Source CSV file is not wellformed: the quoted value that begins on line %1 has no closing quote.':
            'Zdrojový soubor CSV nemá správný formát: hodnota v uvozovkách, která začíná na řádku %1, nemá uzavírací uvozovky.',
    },
    'ExceptionDialog': {
        'The full error report has been copied to the clipboard. Please paste it here (Ctrl+V) in place of the shortened report below.':
            'Úplné hlášení o chybě bylo zkopírováno do schránky. Vložte je sem (Ctrl+V) místo zkráceného hlášení níže.',
        'Unknown error':
            'Neznámá chyba',
    },
    'TCardParser': {
        'The vCard file holds more than %1 cards (line %2).':
            'Soubor vCard obsahuje více než %1 vizitek (řádek %2).',
        'Line %1 of the vCard file ends a card that was not begun.':
            'Řádek %1 souboru vCard ukončuje vizitku, která nebyla zahájena.',
        'The card that begins on line %1 of the vCard file is too large.':
            'Vizitka, která začíná na řádku %1 souboru vCard, je příliš velká.',
        'Line %1 of the vCard file is not a vCard property.':
            'Řádek %1 souboru vCard není vlastností vCard.',
        'Line %1 of the vCard file lies outside a card.':
            'Řádek %1 souboru vCard leží mimo vizitku.',
        'The card that begins on line %1 of the vCard file has no end.':
            'Vizitka, která začíná na řádku %1 souboru vCard, nemá konec.',
    },
    'TCsvImporter': {
        'The source CSV file changed while it was imported.':
            'Zdrojový soubor CSV se během importu změnil.',
    },
    'TCsvTextSource': {
        'No source CSV file has been chosen.':
            'Nebyl vybrán zdrojový soubor CSV.',
        '"%1" is not a file that can be imported.':
            '„%1“ není soubor, který lze importovat.',
        'The file "%1" cannot be opened: %2':
            'Soubor „%1“ nelze otevřít: %2',
        'The file "%1" cannot be read: %2':
            'Soubor „%1“ nelze přečíst: %2',
        'The file "%1" starts with a UTF-16 byte-order mark but is not valid UTF-16 text.':
            'Soubor „%1“ začíná značkou pořadí bajtů UTF-16, ale není platným textem UTF-16.',
    },
    'TExceptionDialog': {
        'Use Ctrl+C to copy the report to the clipboard':
            'Klávesami Ctrl+C zkopírujete hlášení do schránky',
        'Close this report window and continue in program executing':
            'Zavře okno s hlášením a pokračuje v běhu programu',
        '&Terminate':
            '&Ukončit program',
        "Terminates the program. All data you haven't saved will be lost":
            'Ukončí program. Všechna neuložená data budou ztracena',
        '&Details':
            'Po&drobnosti',
        'Show or hide additional information':
            'Zobrazí nebo skryje podrobnosti',
        '&Copy to Clipboard':
            '&Kopírovat do schránky',
        'Copy error details to the clipboard':
            'Zkopíruje podrobnosti o chybě do schránky',
        'Send via &E-mail':
            'Odeslat &e-mailem',
        'Open your default e-mail client and fill it with the report':
            'Otevře výchozí poštovní program a vloží do něj hlášení',
        '<b>Please send the report about the error - including your description what caused it - to the author.</b>\r\n<p>\r\nPlease send the report in <link=Details>Details</link> - with description of steps you made that have caused the error, in what particular situation (conditions) the described error occured and so on - to the author (<link=SendEmail>{EMAIL}</link>). Thank you for your helpfulness.\r\n<br>\r\nNote: If you send your datas or data files, they will be used for testing and debugging purpose only. They will NOT be provided to any third party or abused any how,<br>\r\n<br>\r\n<b>Issues, which are not known to the author, cannot be solved.</b>':
            '<b>Pošlete prosím autorovi hlášení o chybě – včetně popisu, co ji způsobilo.</b>\r\n<p>\r\nPošlete prosím autorovi (<link=SendEmail>{EMAIL}</link>) hlášení z <link=Details>Podrobností</link> spolu s popisem kroků, které k chybě vedly, a situace (podmínek), v níž nastala. Děkujeme za vaši ochotu.\r\n<br>\r\nPoznámka: Pošlete-li svá data nebo datové soubory, budou použita pouze k testování a ladění. Nebudou poskytnuta žádné třetí straně ani jakkoli zneužita.<br>\r\n<br>\r\n<b>Chyby, o kterých autor neví, nemohou být opraveny.</b>',
        'Error details (click into the box and use CTRL+C to <link=CopyToClipboard>copy the text to the clipboard</link>):':
            'Podrobnosti o chybě (klepněte do pole a klávesami CTRL+C <link=CopyToClipboard>zkopírujte text do schránky</link>):',
        '%1 - Application Error':
            '%1 – chyba aplikace',
        'The report was not written to an error log.':
            'Hlášení nebylo zapsáno do protokolu chyb.',
        'The report was added to the error log %1':
            'Hlášení bylo přidáno do protokolu chyb %1',
        'The error log %1 could not be written.':
            'Do protokolu chyb %1 se nepodařilo zapsat.',
        '&OK':
            '&OK',
    },
    'TLineSource': {
        'Line %1 of the vCard file is longer than 16 MiB.':
            'Řádek %1 souboru vCard je delší než 16 MiB.',
    },
    'TReportPrintJob': {
        'The report was not printed: the printer reported an error.':
            'Sestava nebyla vytištěna: tiskárna ohlásila chybu.',
    },
    'TSafeFileWriter': {
        'No destination file has been given.':
            'Nebyl zadán cílový soubor.',
        'The file "%1" cannot be created: %2':
            'Soubor „%1“ nelze vytvořit: %2',
        'The file "%1" cannot be written: %2':
            'Do souboru „%1“ nelze zapisovat: %2',
        'No space left on device':
            'Na zařízení není volné místo',
        'Input/output error':
            'Chyba vstupu/výstupu',
    },
    'TTemplateEditor': {
        'Press ENTER or Double click to put selected Col bookmark to the Template':
            'Klávesou Enter nebo dvojklikem vložíte značku vybraného sloupce do šablony',
        '&New':
            '&Nový',
        'New Template':
            'Nová šablona',
        '&Open...':
            '&Otevřít…',
        'Open Template':
            'Otevřít šablonu',
        '&Save':
            '&Uložit',
        'Save Template':
            'Uložit šablonu',
        'Save &As...':
            'Uložit j&ako…',
        'Save As Template':
            'Uloží šablonu pod novým názvem',
        '&Undo':
            '&Zpět',
        'Undo the last action':
            'Vrátí poslední akci',
        'Cu&t':
            'Vyj&mout',
        'Delete selected item':
            'Odstraní vybranou položku',
        '&Copy':
            '&Kopírovat',
        '&Paste':
            'V&ložit',
        'Select &All':
            'Vybrat &vše',
        'Select all':
            'Vybere vše',
        '&Find...':
            '&Najít…',
        'Find...':
            'Najít…',
        'Find &Next':
            'Najít &další',
        'Find Next':
            'Najít další',
        '&Replace...':
            'Na&hradit…',
        'Replace...':
            'Nahradit…',
        'R&eplace Next':
            'Nahradit d&alší',
        'Replace Next':
            'Nahradit další',
        '&Bold':
            '&Tučné',
        'Bold':
            'Tučné',
        '&Italic':
            '&Kurzíva',
        'Italic':
            'Kurzíva',
        '&Underline':
            '&Podtržené',
        'Underline':
            'Podtržené',
        '&Normal':
            '&Normální',
        '&Bigger':
            '&Větší',
        '&Smaller':
            '&Menší',
        'Size':
            'Velikost',
        'Font Size':
            'Velikost písma',
        '&File':
            '&Soubor',
        '&Edit':
            'Úp&ravy',
        'Cannot open file "%1". %2':
            'Soubor „%1“ nelze otevřít. %2',
        'Cannot create file "%1". %2':
            'Soubor „%1“ nelze vytvořit. %2',
        'Save Template As':
            'Uložit šablonu jako',
        'Template (*.txt)':
            'Šablona (*.txt)',
    },
    'TVCardContactBuilder': {
        'Instant messaging':
            'Rychlé zprávy',
        'Title':
            'Funkce',
    },
    'TVCardExchange': {
        'A new row could not be appended to the database.':
            'Do databáze se nepodařilo přidat nový řádek.',
        'The file "%1" holds no vCard.':
            'Soubor „%1“ neobsahuje žádnou vizitku vCard.',
    },
    'TVCardReader': {
        'No vCard file has been chosen.':
            'Nebyl vybrán soubor vCard.',
        '"%1" is not a file that can be imported.':
            '„%1“ není soubor, který lze importovat.',
        'The file "%1" cannot be opened: %2':
            'Soubor „%1“ nelze otevřít: %2',
        'The file "%1" cannot be read: %2':
            'Soubor „%1“ nelze přečíst: %2',
        'The file "%1" is larger than 64 MiB; it is not taken for a vCard file.':
            'Soubor „%1“ je větší než 64 MiB; nepovažuje se za soubor vCard.',
    },
    'TdlgTemplateFind': {
        'Replace':
            'Nahradit',
        'Find':
            'Najít',
        'Fi&nd what:':
            '&Hledat:',
        'Re&place with:':
            'Nahradit &za:',
        'Match &whole word only':
            'Pouze &celá slova',
        'Match &case':
            '&Rozlišovat malá a velká písmena',
        '&Find Next':
            '&Najít další',
        '&Replace':
            'Nahra&dit',
        'Replace &All':
            'Nahradit &vše',
    },
    'TframeMainPrintPreview': {
        'Wait please...':
            'Čekejte prosím…',
    },
    'TframeMainPrintRows': {
        '&Select All':
            '&Označit vše',
        '&Unselect All':
            'Odznačit vš&e',
        '&Rows':
            'Řád&ky',
        '&Query':
            '&Dotaz',
    },
    'TframeMainPrintTemplate': {
        'Us&er':
            '&Uživatelská',
        '&Select All':
            '&Označit vše',
        '&Unselect All':
            'Odznačit vš&e',
        '&Basic':
            'Zá&kladní',
    },
    'TfrmAbout': {
        'About Orvane Contacts':
            'O programu Orvane Contacts',
        'Version ':
            'Verze ',
        'All rights reserved.':
            'Všechna práva vyhrazena.',
        '&OK':
            '&OK',
        'File':
            'Soubor',
        'Version':
            'Verze',
        'Path':
            'Cesta',
        'This program is provided "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and noninfringement. In no event shall the authors be liable for any claim, damages or other liability arising from the use of the program or of the data kept with it.\n\nYou may use the program free of charge for personal and business purposes. You may give it to others unchanged and without charge. Keep backup copies of your databases.':
            'Tento program je poskytován „tak, jak je“, bez jakékoli výslovné či předpokládané záruky, mimo jiné včetně záruk prodejnosti, vhodnosti pro určitý účel a neporušení práv. Autoři v žádném případě neodpovídají za jakékoli nároky, škody či jinou odpovědnost vzniklou z užívání programu nebo dat v něm uložených.\n\nProgram můžete bezplatně používat pro osobní i obchodní účely. Můžete jej bezplatně a beze změn předávat dalším. Pořizujte si záložní kopie svých databází.',
    },
    'TfrmCommon': {
        'Find contacts by a query':
            'Vyhledá kontakty podle dotazu',
        'Print current database':
            'Vytiskne aktuální databázi',
        'Change printer setup':
            'Změní nastavení tiskárny',
    },
    'TfrmDBImportExport': {
        'Database (*.tbr);;All files (*)':
            'Databáze (*.tbr);;Všechny soubory (*)',
    },
    'TfrmExportToCSV': {
        'CSV files (*.csv);;All files (*)':
            'Soubory CSV (*.csv);;Všechny soubory (*)',
    },
    'TfrmExportToVCard': {
        'Export to vCard':
            'Export do vCard',
        'Export':
            'Exportovat',
        '&All records (%1)':
            '&Všechny záznamy (%1)',
        'Records of the &query result (%1)':
            'Záznamy výsledku &dotazu (%1)',
        'Version':
            'Verze',
        'vCard &4.0':
            'vCard &4.0',
        'vCard &3.0 (older phones and programs)':
            'vCard &3.0 (starší telefony a programy)',
        'Destination file:':
            'Cílový soubor:',
        'Browse...':
            '&Procházet…',
        'Destination file':
            'Cílový soubor',
        'vCard files (*.vcf);;All files (*)':
            'Soubory vCard (*.vcf);;Všechny soubory (*)',
        'vCard files (*.vcf)':
            'Soubory vCard (*.vcf)',
        'All files (*)':
            'Všechny soubory (*)',
        'Export has been successful. Would you like to close the window?':
            'Export proběhl úspěšně. Chcete zavřít okno?',
        '&OK':
            '&OK',
        '&Cancel':
            '&Storno',
    },
    'TfrmImportFromCSV': {
        'CSV Files (*.csv);;All files (*)':
            'Soubory CSV (*.csv);;Všechny soubory (*)',
        'The first line has more fields; only the first %1 are shown.':
            'První řádek obsahuje více polí; zobrazeno je jen prvních %1.',
    },
}
