#include "exchange/u_VCardProperty.h"

namespace {

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// The name token at pos, advancing pos past it.
QByteArrayView nameAt(QByteArrayView line, qsizetype& pos) {
    const qsizetype start = pos;
    while (pos < line.size() && isNameChar(line[pos])) {
        ++pos;
    }
    return line.sliced(start, pos - start);
}

QByteArray unquoted(const QByteArray& value) {
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) {
        return value.sliced(1, value.size() - 2);
    }
    return value;
}

// A parameter value: a quoted string, or the bytes up to ";" or ":". Quoted
// pieces may stand inside a list ("a","b" or a,"b").
bool readParamValue(QByteArrayView line, qsizetype& pos, QByteArray& value) {
    const qsizetype start = pos;
    while (pos < line.size() && line[pos] != ';' && line[pos] != ':') {
        if (line[pos] == '"') {
            const qsizetype close = line.indexOf('"', pos + 1);
            if (close < 0) {
                return false;
            }
            pos = close;
        }
        ++pos;
    }
    value = line.sliced(start, pos - start).toByteArray();
    return true;
}

}  // namespace

bool TVCardProperty::Parse(QByteArrayView line) {
    params.clear();
    types_.clear();
    value = QByteArrayView();
    qsizetype pos = 0;
    QByteArrayView token = nameAt(line, pos);
    if (pos < line.size() && line[pos] == '.' && !token.isEmpty()) {
        ++pos;  // a group such as item1. is of no meaning here
        token = nameAt(line, pos);
    }
    if (token.isEmpty()) {
        return false;
    }
    // The buffer is reused from line to line.
    name.resize(token.size());
    for (qsizetype i = 0; i < token.size(); ++i) {
        const char c = token[i];
        name[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    while (pos < line.size() && line[pos] == ';') {
        ++pos;
        const QByteArray paramName = nameAt(line, pos).toByteArray().toUpper();
        if (paramName.isEmpty()) {
            return false;
        }
        if (pos < line.size() && line[pos] == '=') {
            ++pos;
            QByteArray paramValue;
            if (!readParamValue(line, pos, paramValue)) {
                return false;
            }
            params.append({paramName, paramValue});
        } else {
            params.append({QByteArray(), paramName});
        }
    }
    if (pos >= line.size() || line[pos] != ':') {
        return false;
    }
    value = line.sliced(pos + 1);
    collectTypes();
    return true;
}

QByteArray TVCardProperty::Param(QByteArrayView paramName) const {
    for (const auto& [n, v] : params) {
        if (n == paramName) {
            return unquoted(v);
        }
    }
    return {};
}

void TVCardProperty::collectTypes() {
    QByteArrayList& types = types_;
    for (const auto& [n, v] : params) {
        if (n.isEmpty()) {
            types << v.toLower();
        } else if (n == "TYPE") {
            // TYPE="work,voice" and TYPE=work,"voice" are the same list.
            for (const QByteArray& t : QByteArray(v).replace('"', "").split(',')) {
                types << t.trimmed().toLower();
            }
        }
    }
}

bool TVCardProperty::HasType(QByteArrayView type) const {
    for (const QByteArray& t : Types()) {
        if (t == type) {
            return true;
        }
    }
    return false;
}

int TVCardProperty::PrefRank() const {
    bool ok = false;
    const int pref = Param("PREF").toInt(&ok);
    if (ok && pref >= 1 && pref <= 100) {
        return pref;
    }
    return HasType("pref") ? 1 : 101;
}

bool TVCardProperty::IsQuotedPrintable() const {
    if (params.isEmpty()) {
        return false;
    }
    return Param("ENCODING").toUpper() == "QUOTED-PRINTABLE" || HasType("quoted-printable");
}

bool TVCardProperty::IsBinary() const {
    if (params.isEmpty()) {
        return false;
    }
    const QByteArray encoding = Param("ENCODING").toUpper();
    return encoding == "B" || encoding == "BASE64" || HasType("base64");
}
