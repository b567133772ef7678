#include "exchange/u_VCardProperty.h"

#include <cctype>
#include <cstring>
#include <utility>

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

// to holds the bytes of from. Its room is reused from line to line (when
// no copy of the property shares it).
void setBytes(QByteArray& to, QByteArrayView from) {
    to.resize(from.size());
    if (!from.isEmpty()) {
        std::memcpy(to.data(), from.data(), static_cast<std::size_t>(from.size()));
    }
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void setUpper(QByteArray& to, QByteArrayView from) {
    to.resize(from.size());
    char* out = to.data();
    for (const char c : from) {
        *out++ = upper(c);
    }
}

// to as the bytes of from in small letters, without '"', spaces and tabs
// trimmed.
void setTypeName(QByteArray& to, QByteArrayView from) {
    to.resize(from.size());
    char* const begin = to.data();
    char* out = begin;
    for (const char c : from) {
        if (c != '"') {
            *out++ = lower(c);
        }
    }
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    char* start = begin;
    while (start < out && space(*start)) {
        ++start;
    }
    while (out > start && space(out[-1])) {
        --out;
    }
    if (start > begin) {
        std::memmove(begin, start, static_cast<std::size_t>(out - start));
    }
    to.resize(out - start);
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
    setBytes(value, line.sliced(start, pos - start));
    return true;
}

}  // namespace

bool TVCardProperty::Parse(QByteArrayView line) {
    // The parameters' entries keep their room for the next line.
    qsizetype count = 0;
    const auto finish = [this, &count](bool parsed) {
        params.resize(count);
        return parsed;
    };
    value = QByteArrayView();
    qsizetype pos = 0;
    QByteArrayView token = nameAt(line, pos);
    if (pos < line.size() && line[pos] == '.' && !token.isEmpty()) {
        ++pos;  // a group such as item1. is of no meaning here
        token = nameAt(line, pos);
    }
    if (token.isEmpty()) {
        return finish(false);
    }
    setUpper(name, token);
    while (pos < line.size() && line[pos] == ';') {
        ++pos;
        const QByteArrayView paramName = nameAt(line, pos);
        if (paramName.isEmpty()) {
            return finish(false);
        }
        if (count == params.size()) {
            params.append(QPair<QByteArray, QByteArray>());
        }
        auto& [n, v] = params[count++];
        if (pos < line.size() && line[pos] == '=') {
            ++pos;
            setUpper(n, paramName);
            if (!readParamValue(line, pos, v)) {
                return finish(false);
            }
        } else {
            n.resize(0);
            setUpper(v, paramName);
        }
    }
    if (pos >= line.size() || line[pos] != ':') {
        return finish(false);
    }
    finish(true);
    value = line.sliced(pos + 1);
    collectTypes();
    return true;
}

QByteArray TVCardProperty::Param(QByteArrayView paramName) const {
    for (const auto& [n, v] : params) {
        if (SameBytes(n, paramName)) {
            return unquoted(v);
        }
    }
    return {};
}

void TVCardProperty::collectTypes() {
    qsizetype count = 0;
    const auto next = [this, &count]() -> QByteArray& {
        if (count == types_.size()) {
            types_.append(QByteArray());
        }
        return types_[count++];
    };
    for (const auto& [n, v] : std::as_const(params)) {
        if (n.isEmpty()) {
            QByteArray& type = next();
            type.resize(v.size());
            char* out = type.data();
            for (const char c : v) {
                *out++ = lower(c);
            }
        } else if (SameBytes(n, "TYPE")) {
            // TYPE="work,voice" and TYPE=work,"voice" are the same list.
            const QByteArrayView list(v);
            qsizetype start = 0;
            while (true) {
                const qsizetype comma = list.indexOf(',', start);
                const qsizetype end = comma < 0 ? list.size() : comma;
                setTypeName(next(), list.sliced(start, end - start));
                if (comma < 0) {
                    break;
                }
                start = comma + 1;
            }
        }
    }
    types_.resize(count);
}

bool TVCardProperty::HasType(QByteArrayView type) const {
    for (const QByteArray& t : Types()) {
        if (SameBytes(t, type)) {
            return true;
        }
    }
    return false;
}

int TVCardProperty::PrefRank() const {
    if (params.isEmpty()) {
        return 101;
    }
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
