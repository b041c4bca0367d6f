#pragma once
// The texts shown to the user for each warning flag of background work, in
// the order they are shown (lowest bit first).

#include <QString>
#include <cstdint>
#include <vector>

// "" for a bit that has no message.
QString WarningMessage(std::uint32_t bit);
// The bits of `mask` that have a message, lowest first.
std::vector<std::uint32_t> WarningBits(std::uint32_t mask);
