#pragma once

#include "sync/u_SyncState.h"

#include <QString>

// The password of a sync account: never in a file. It comes from the
// environment variable PELLUM_SYNC_PASSWORD when that is set (scripts,
// tests), else from the desktop's secret store through QtKeychain.
namespace SyncPassword {

inline constexpr const char* kEnvironmentVariable = "PELLUM_SYNC_PASSWORD";

// The name the password of account has in the secret store.
QString KeyOf(const TSyncAccount& account);

// The password of account; false with why filled when there is none (no
// secret store runs, or it holds none for the account).
bool Read(const TSyncAccount& account, QString& password, QString& why);

// Keeps password for account in the secret store; false with why filled
// when there is no secret store. Nothing is written anywhere else.
bool Store(const TSyncAccount& account, const QString& password, QString& why);

// Takes the password of account out of the secret store (it is asked for at
// each sync from then on); false with why filled when that failed.
bool Forget(const TSyncAccount& account, QString& why);

}  // namespace SyncPassword
