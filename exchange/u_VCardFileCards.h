#pragma once

#include "exchange/u_VCardLines.h"
#include "exchange/u_VCardReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <memory>

// The vCard reader's steps over a file, shared by its one pass and its
// reading in halves.
namespace vcardfile {

// Reads the cards of source's bytes (see TVCardReader), fileIsUtf8 telling
// whether the whole file is UTF-8. Returns the number of cards.
int ReadCards(TVCardByteSource source, bool fileIsUtf8, const TVCardReader::CardSink& take);
// The file fileName, open for reading; raises EExchangeError when it cannot
// be read or is not a plain file.
std::unique_ptr<QFile> Open(const QString& fileName);
// Whether first and the rest of file after it are UTF-8, read in pieces
// through piece (first may lie in piece).
bool IsUtf8Onwards(QFile& file, QByteArray& piece, QByteArrayView first);
// Up to max bytes of file at to; raises EExchangeError when it cannot be read.
qsizetype ReadPiece(QFile& file, char* to, qsizetype max);

}  // namespace vcardfile
