# Czech texts of the faster cell reading, find and vCard reading (format of
# scripts/fill-translations.py). This work adds no user-visible text; the
# vCard reader no longer refuses files by their size, so the text
# "The file "%1" is larger than 64 MiB; it is not taken for a vCard file."
# (context TVCardReader) is no longer used.
CTX = {}
