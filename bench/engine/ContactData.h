#pragma once

// Realistic generated contact data for the engine's benchmarks: Czech names
// with diacritics, addresses, phone numbers, e-mail addresses and notes in
// 32 columns, always the same for the same seed.

#include <cstdint>
#include <string>
#include <vector>

#include "quib/QuibCtrl.h"

namespace quibbench {

inline constexpr int kContactColumns = 32;
inline constexpr int kColSurName = 0;
inline constexpr int kColTown = 4;

using ContactRow = std::vector<std::string>;

// rows contacts of kContactColumns UTF-8 cells.
std::vector<ContactRow> MakeContacts(int rows, uint32_t seed = 2026);

// Fills an empty engine with the contacts.
void LoadContacts(quib::CQuibCtrl& q, const std::vector<ContactRow>& contacts);

}  // namespace quibbench
