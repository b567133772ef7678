# Czech texts of the faster cell reading, find and vCard reading (format of
# scripts/fill-translations.py). This work adds no user-visible text; the
# vCard reader no longer refuses files by their size, so the text
# "The file "%1" is larger than 64 MiB; it is not taken for a vCard file."
# (context TVCardReader) is no longer used. The reader's file messages are
# now filed under its own context, where they were under another.
CTX = {
    "TVCardReader": {
        "No vCard file has been chosen.": "Nebyl vybrán soubor vCard.",
        "\"%1\" is not a file that can be imported.":
            "„%1“ není soubor, který lze importovat.",
        "The file \"%1\" cannot be opened: %2":
            "Soubor „%1“ nelze otevřít: %2",
    },
}
