#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <vector>

// A small INI text of sections with key = value lines, read and written the
// way the older program's files are: section and key names match without
// regard to letter case and the first of two equal names wins; values are
// trimmed; lines starting with ";" are comments; lines end in LF or CR LF.
// Names match by their case folding. Keys keep the order in which they were read or written, and
// values are taken as they stand (no quotes, no lists).
class TIniFile {
  public:
    // Files larger than this are not INI files of this program.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

    TIniFile() = default;

    // Text decoded as UTF-8 when it has a UTF-8 byte-order mark (as every
    // file this program writes that is not plain ASCII) or looks like UTF-8
    // (LooksLikeUtf8: another program's file), as Windows-1250 otherwise (a
    // file of the older program).
    static TIniFile FromBytes(QByteArrayView bytes);

    // The value of key in section, or def when there is none.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // Replaces the value of an existing key or adds the key at the end of its
    // section (the section at the end of the file when it is new).
    void WriteString(const QString& section, const QString& key, const QString& value);

    // Lines ending in CR LF; plain ASCII, or UTF-8 after a byte-order mark
    // when some text is not ASCII, so that every text reads back as it was.
    QByteArray ToBytes() const;

    // Reads path into out; false with a message in error when the file cannot
    // be read or is too large.
    static bool Load(const QString& path, TIniFile& out, QString& error);
    // Writes the whole text to a temporary file and renames it over path, so
    // that a failed save leaves the old file as it was; false with the
    // message "Unable to write to <path>" in error, the system's reason on
    // a line of its own.
    bool Save(const QString& path, QString& error) const;

  private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
        QHash<QString, int> index;  // case-folded key -> its entry
    };

    const Section* FindSection(const QString& name) const;
    Section* FindSection(const QString& name);
    Section& AddSection(const QString& name);
    static const Entry* FindEntry(const Section& section, const QString& key);
    static void AddEntry(Section& section, const QString& key, const QString& value);

    std::vector<Section> sections_;
    QHash<QString, int> sectionIndex_;  // case-folded name -> its section
};
