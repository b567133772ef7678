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
    'TfrmCommon': {
        'Find contacts by a query':
            'Vyhledá kontakty podle dotazu',
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
        'vCard files (*.vcf);;All files (*)':
            'Soubory vCard (*.vcf);;Všechny soubory (*)',
    },
    'TfrmImportFromCSV': {
        'CSV Files (*.csv);;All files (*)':
            'Soubory CSV (*.csv);;Všechny soubory (*)',
    },
}
