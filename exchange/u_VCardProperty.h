#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QList>
#include <QPair>

#include <cstring>

// Whether a and b hold the same bytes; inline, sizes first (the Qt
// comparison of a QByteArray with a literal is a call, with no size check).
inline bool SameBytes(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() &&
           (a.isEmpty() ||
            std::memcmp(a.data(), b.data(), static_cast<std::size_t>(a.size())) == 0);
}

// One content line of a vCard after unfolding:
// [group "."] name *(";" parameter) ":" value. Names are kept in capitals;
// a parameter without "=" (vCard 2.1: "TEL;WORK;VOICE:") has an empty name.
struct TVCardProperty {
    QByteArray name;
    QList<QPair<QByteArray, QByteArray>> params;  // name in capitals, value as written
    QByteArrayView value;  // the raw bytes after the colon, within the parsed line

    // Reads line into this; false when it is not a property line. The value
    // refers to line, which must outlive its use.
    bool Parse(QByteArrayView line);

    // The value of the first parameter called name (in capitals), unquoted.
    QByteArray Param(QByteArrayView paramName) const;
    // Every TYPE value and every bare parameter, in small letters, lists
    // split at their commas.
    const QByteArrayList& Types() const { return types_; }
    bool HasType(QByteArrayView type) const;
    // 1 (most preferred) .. 100 from PREF=n or TYPE=pref; 101 when neither.
    int PrefRank() const;
    bool IsQuotedPrintable() const;
    // Base64 or other binary data, which the program has no field for.
    bool IsBinary() const;

  private:
    void collectTypes();

    QByteArrayList types_;
};
