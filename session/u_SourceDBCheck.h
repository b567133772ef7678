#pragma once

#include <QString>

class TQuibReader;

// What the converter's check of a source database decided.
struct TSourceDBCheck {
    bool accepted = false;
    QString error;  // why it was refused (an error message)
    // Product name, a space and the minimum version; only the product name
    // when the version was refused, empty for a file of another product.
    QString versionText;
};

// Checks the header records of a database being opened as a conversion
// source: it must be a database of this product and must not need a newer
// program than programVersion. Its columns may be any layout.
TSourceDBCheck CheckSourceDatabase(const TQuibReader& quib, const QString& programVersion);
