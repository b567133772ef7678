#pragma once

#include "print/u_RtfDocument.h"

#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Template files: RTF written by this program or the older one, or plain
// text from anywhere else. They are read into and written from the editor's
// rich-text document.

enum class TemplateReadStatus {
    Ok,
    Missing,  // there is no file of that name
    Failed,   // the file exists but could not be read; see the reason
};

// Reads fileName into document, replacing its content. The document is left
// unchanged unless the read succeeds. reason receives what went wrong.
TemplateReadStatus ReadTemplateFile(const QString& fileName, QTextDocument& document,
                                    QString& reason);

// Writes document as RTF through a temporary file that replaces fileName
// only once it is complete; a failed write leaves the old file whole.
bool WriteTemplateFile(const QString& fileName, const QTextDocument& document, QString& reason);

// The text of a file that is not RTF: UTF-8 when it starts with the UTF-8
// byte-order mark or is valid UTF-8 with at least one non-ASCII byte, and
// Windows-1250 otherwise.
QString DecodePlainTemplate(QByteArrayView bytes);

// Conversions between the rich-text document and the file's content.
void FillTextDocument(QTextDocument& document, const rtf::Document& content);
rtf::Document FromTextDocument(const QTextDocument& document);
