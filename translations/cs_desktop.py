# Czech texts of the keyboard and layout work: the accelerators given to the
# menus' texts, the tool bars and the card (format of
# scripts/fill-translations.py).
CTX = {
    "TfrmCommon": {
        "Import from / Export to &TBR...": "Import / export &TBR…",
        "Import from &CSV...": "Import z &CSV…",
        "&Export to CSV...": "&Export do CSV…",
        "Import from &vCard...": "Import z &vCard…",
        "E&xport to vCard...": "Export &do vCard…",
        "Show &Grid": "Zobrazit &tabulku",
        "&Check for Updates...": "Zkontrolovat &aktualizace…",
        "&Product Web Site...": "&Webové stránky produktu…",
        "N&ew": "&Nový",
        "Pr&int Setup...": "Nastav&ení tiskárny…",
        "&Process Query": "&Provést dotaz",
        "&Close Query": "Zavřít &dotaz",
        "&Sort": "S&eřadit",
        "&Cancel": "Zr&ušit",
        "&Cancel Print": "Zr&ušit tisk",
        "&Next Step (Template) 2/3": "Další &krok (šablona) 2/3",
        "&Next Step (Preview) 3/3": "Další &krok (náhled) 3/3",
        "Ctrl+Home": "Ctrl+Home",
        "Ctrl+PgUp": "Ctrl+PgUp",
        "Ctrl+PgDown": "Ctrl+PgDown",
        "Ctrl+End": "Ctrl+End",
        "Ctrl+Shift+N": "Ctrl+Shift+N",
        "Ctrl+Del": "Ctrl+Del",
    },
    "TframeMainIDE": {
        "H&ome": "&Domácí",
        "&Work": "&Pracovní",
    },
    "TframeMainPrintRows": {
        "Ro&ws": "Řádk&y",
    },
    "TframeMainPrintTemplate": {
        "&Basic": "Zák&ladní",
        "&User": "Už&ivatelská",
        "Unse&lect All": "Odznačit vš&e",
    },
    "TframeMainQuery": {
        "New q&uery": "Nový do&taz",
    },
    "TfrmMain": {
        "I&mport / Export": "&Import / export",
    },
    "TfrmImportFromCSV": {
        "As Bo&ttom": "Jako posl&ední",
        "D&elete": "Odstra&nit",
    },
    "TSaveStatus": {
        "Saving...": "Ukládání…",
        "Saved at %1": "Uloženo v %1",
        "Not saved": "Neuloženo",
    },
}
