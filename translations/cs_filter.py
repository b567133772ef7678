# Czech texts of find as you type (format of scripts/fill-translations.py).
CTX = {
    "TfrmCommon": {
        "Fi&lter": "&Filtr",
        "Show only the contacts that contain a text": "Zobrazí jen kontakty, které obsahují text",
        "Ctrl+K": "Ctrl+K",
    },
    "TFilterBar": {
        "Filter": "Filtr",
        "%1 of %2": "%1 z %2",
        "Show only the contacts that contain the text (Ctrl+K; Esc shows all)":
            "Zobrazí jen kontakty, které obsahují text (Ctrl+K; Esc zobrazí všechny)",
    },
}
