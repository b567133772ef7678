# Czech texts of the branch "local": honest writers, special files, the
# command line, card links and the vCard encoding per card.
CTX = {
    "TAtomicFileWriter": {
        "Not a regular file": "Nejde o běžný soubor",
    },
    "CommandLine": {
        "Only one of --make-sample, --export-vcard, --import-vcard and --sync can be given.":
            "Zadat lze jen jeden z příkazů --make-sample, --export-vcard, --import-vcard a --sync.",
        "Unexpected argument: %1": "Nečekaný argument: %1",
    },
    "CardLinks": {
        "\"%1\" is not a web address, so it is not opened. Only addresses of web pages "
        "(http:// or https:// and a host name) are opened.":
            "„%1“ není webová adresa, a proto se neotevře. Otevírají se jen adresy webových "
            "stránek (http:// nebo https:// a název serveru).",
        "\"%1\" is not an e-mail address, so no mail is written.":
            "„%1“ není e-mailová adresa, a proto se zpráva nevytvoří.",
    },
    "TVCardReader": {
        "The card that begins on line %1 of the vCard file is neither UTF-8 nor "
        "Windows-1250 text.":
            "Vizitka, která začíná na řádku %1 souboru vCard, není text v kódování UTF-8 "
            "ani Windows-1250.",
    },
}
