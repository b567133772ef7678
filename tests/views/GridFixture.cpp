#include "GridFixture.h"

#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"

#include <stdexcept>

namespace gridfixture {

void WriteContacts(const QString& path, const QStringList& columnNames,
                   const QList<QStringList>& rowsByField, quib::TextEncoding encoding) {
    TQuib quib;
    quib.SetEncoding(encoding);
    quib.SetDatabaseName(path);
    quib.Create();
    WriteContactsHeaders(quib, QStringLiteral("2.5.1"), QStringLiteral("2.7.0.0"), columnNames);
    const QStringList program = ContactSchema::ColumnNames();
    for (int r = 0; r < rowsByField.size(); ++r) {
        quib.NewRow(r);
        for (int k = 0; k < columnNames.size(); ++k) {
            const int field = program.indexOf(columnNames[k]);
            if (field >= 0 && field < rowsByField[r].size())
                quib.SetData(r, k, rowsByField[r][field]);
        }
    }
    if (!quib.Save())
        throw std::runtime_error("test database could not be saved");
}

std::unique_ptr<TQuib> OpenContacts(const QString& path, TColumnMap* map) {
    auto quib = std::make_unique<TQuib>();
    TQuib* q = quib.get();
    quib->OnCheckCompatibility = [q, map](int16_t& Cancel) {
        const CompatibilityCheck check =
            CheckContactsDatabase(*q, QStringLiteral("2.7.0.0"), ContactSchema::ColumnNames(),
                                  ContactSchema::ColumnTitlesFull());
        if (!check.accepted)
            Cancel = 1;
        else if (map)
            *map = check.indexFromProgram;
    };
    quib->SetDatabaseName(path);
    if (!quib->Open())
        throw std::runtime_error("test database could not be opened");
    quib->OnCheckCompatibility = nullptr;
    quib->MoveFirst();
    return quib;
}

QStringList Record(std::initializer_list<std::pair<int, QString>> fields) {
    QStringList record(ContactSchema::ColumnCount);
    for (const auto& [field, value] : fields)
        record[field] = value;
    return record;
}

QString StoredValue(const QString& path, int r, int field) {
    TColumnMap map;
    auto quib = OpenContacts(path, &map);
    return quib->GetData(r, map[field]);
}

}  // namespace gridfixture
