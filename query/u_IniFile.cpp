#include "query/u_IniFile.h"

#include "support/u_AtomicFileWriter.h"
#include "support/u_TextEncoding.h"

#include <QCoreApplication>
#include <QFile>

#include <utility>

namespace {

// The system's reason goes on a line of its own ("No space left on device").
QString WriteError(const QString& path, const QString& reason) {
    QString error = QCoreApplication::translate("TIniFile", "Unable to write to %1").arg(path);
    if (!reason.isEmpty())
        error += QStringLiteral("\n\r") + reason;
    return error;
}

}  // namespace

TIniFile TIniFile::FromBytes(QByteArrayView bytes) {
    TIniFile ini;
    const QString text = DecodeDetected(bytes);
    Section* current = nullptr;
    bool ignored = false;  // inside a repeated section, which the first one hides
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();  // also drops the CR of CR LF
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2).trimmed().toString();
            current = ini.FindSection(name);
            ignored = current != nullptr;
            if (!current)
                current = &ini.AddSection(name);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || ignored || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toString();
        if (key.isEmpty() || FindEntry(*current, key))
            continue;
        AddEntry(*current, key, line.mid(eq + 1).trimmed().toString());
    }
    return ini;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const Section* s = FindSection(section);
    const Entry* e = s ? FindEntry(*s, key) : nullptr;
    return e ? e->value : def;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    const Section* s = FindSection(section);
    return s && FindEntry(*s, key);
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Section* s = FindSection(section);
    if (!s)
        s = &AddSection(section);
    const auto it = s->index.constFind(key.toCaseFolded());
    if (it != s->index.constEnd())
        s->entries[it.value()].value = value;
    else
        AddEntry(*s, key, value);
}

QByteArray TIniFile::ToBytes() const {
    QString text;
    for (const Section& s : sections_) {
        text += QLatin1Char('[') + s.name + QLatin1String("]\r\n");
        for (const Entry& e : s.entries)
            text += e.key + QLatin1Char('=') + e.value + QLatin1String("\r\n");
    }
    // A text of ASCII alone reads the same in every encoding; any other is
    // marked as UTF-8, so that it is never read back as something else.
    QByteArray bytes = text.toUtf8();
    if (bytes.size() != text.size())
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

bool TIniFile::Load(const QString& path, TIniFile& out, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QCoreApplication::translate("TIniFile", "Unable to read %1").arg(path);
        return false;
    }
    if (file.size() > MaxFileSize) {
        error = QCoreApplication::translate("TIniFile", "The file %1 is too large.").arg(path);
        return false;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileSize) {
        error = QCoreApplication::translate("TIniFile", "Unable to read %1").arg(path);
        return false;
    }
    out = FromBytes(bytes);
    return true;
}

bool TIniFile::Save(const QString& path, QString& error) const {
    // The writer never replaces a folder of that name either.
    QString reason;
    if (!WriteFileAtomically(path, ToBytes(), reason)) {
        error = WriteError(path, reason);
        return false;
    }
    return true;
}

const TIniFile::Section* TIniFile::FindSection(const QString& name) const {
    const auto it = sectionIndex_.constFind(name.toCaseFolded());
    return it == sectionIndex_.constEnd() ? nullptr : &sections_[it.value()];
}

TIniFile::Section& TIniFile::AddSection(const QString& name) {
    sectionIndex_.insert(name.toCaseFolded(), static_cast<int>(sections_.size()));
    sections_.push_back(Section{name, {}, {}});
    return sections_.back();
}

TIniFile::Section* TIniFile::FindSection(const QString& name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const TIniFile::Entry* TIniFile::FindEntry(const Section& section, const QString& key) {
    const auto it = section.index.constFind(key.toCaseFolded());
    return it == section.index.constEnd() ? nullptr : &section.entries[it.value()];
}

void TIniFile::AddEntry(Section& section, const QString& key, const QString& value) {
    section.index.insert(key.toCaseFolded(), static_cast<int>(section.entries.size()));
    section.entries.push_back(Entry{key, value});
}
